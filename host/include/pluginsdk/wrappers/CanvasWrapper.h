// The drawing surface handed to a drawable for one frame.
#pragma once

#include "pluginsdk/Export.h"
#include "pluginsdk/Vector2.h"

#include <memory>
#include <string>

class PLUGINSDK_API CanvasWrapper {
public:
    explicit CanvasWrapper(std::shared_ptr<hostcore::World> world);

    void SetPosition(Vector2 position);
    void SetColor(unsigned char red, unsigned char green, unsigned char blue, unsigned char alpha);
    // Fills the rectangle between two corners, top-left and bottom-right.
    void DrawRect(Vector2 topLeft, Vector2 bottomRight);
    void DrawString(std::string text, float xScale, float yScale);

private:
    std::shared_ptr<hostcore::World> world_;
};
