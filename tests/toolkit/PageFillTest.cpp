#include "toolkit/PageFill.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace {

TEST(PageFill, EachMarkerIsReplacedOnceInOrder) {
    const std::array<PagePart, 2> parts{{{"@@STYLE@@", "b{}"}, {"@@DATA@@", "[1]"}}};
    EXPECT_EQ(filledPage("<style>@@STYLE@@</style><script>@@DATA@@</script>", parts),
              "<style>b{}</style><script>[1]</script>");
}

TEST(PageFill, ContentIsNeverReadForMarkers) {
    // A playlist title in the data that spells a later marker stays as it is.
    const std::array<PagePart, 2> parts{{{"@@DATA@@", "@@SCRIPT@@"}, {"@@SCRIPT@@", "run()"}}};
    EXPECT_EQ(filledPage("@@DATA@@|@@SCRIPT@@", parts), "@@SCRIPT@@|run()");
}

TEST(PageFill, ATemplateLackingAMarkerOrHoldingThemOutOfOrderIsAFaultOfTheBuild) {
    const std::array<PagePart, 2> parts{{{"@@A@@", "a"}, {"@@B@@", "b"}}};
    EXPECT_THROW(filledPage("@@A@@ only", parts), std::logic_error);
    EXPECT_THROW(filledPage("@@B@@ @@A@@", parts), std::logic_error);
    EXPECT_EQ(filledPage("@@A@@@@B@@", parts), "ab");
}

} // namespace
