// One frame of the scoreboard overlay: seven boxes of ten matches each, drawn onto a canvas that
// neither traces nor records, so that the figure is render's own work plus the canvas calls.
#include "plugin/Tallyglass.h"

#include "hostcore/World.h"

#include <benchmark/benchmark.h>

namespace {

void fillTable(Tallyglass::Table& table, const Tallyglass::ColumnTitles& titles, const char* statistic) {
    std::copy(titles.begin(), titles.end(), table.begin());
    for (std::size_t row = 1; row < 11; ++row) {
        table[row * 5 + 0] = row % 3 == 0 ? "C Casual Standard" : "R Ranked Doubles";
        table[row * 5 + 1] = "3-1";
        table[row * 5 + 2] = statistic;
        table[row * 5 + 3] = std::to_string(row * 7) + " minutes ago";
        // A whole string, not the literal assigned in place: GCC 12 at -O3 reports a false -Wrestrict
        // overlap inside the in-place copy of a literal chosen at run time.
        table[row * 5 + 4] = std::string(row % 2 == 0 ? "1" : "0");
    }
}

// Seven boxes at their default places, ten matches, every average set.
std::shared_ptr<Tallyglass> pluginWithTenMatches() {
    auto plugin = std::make_shared<Tallyglass>();
    plugin->mmrBoxX = 405, plugin->mmrBoxY = 730;
    plugin->pointsBoxX = 405, plugin->pointsBoxY = 900;
    plugin->goalsBoxX = 740, plugin->goalsBoxY = 900;
    plugin->assistsBoxX = 1070, plugin->assistsBoxY = 900;
    plugin->savesBoxX = 1400, plugin->savesBoxY = 900;
    plugin->shotsBoxX = 740, plugin->shotsBoxY = 730;
    plugin->demosBoxX = 1070, plugin->demosBoxY = 730;
    plugin->lineCount = 11;
    fillTable(plugin->matchTable, plugin->pointsColumns, "450");
    fillTable(plugin->mmrTable, plugin->mmrColumns, "1050");
    fillTable(plugin->pointsTable, plugin->pointsColumns, "450");
    fillTable(plugin->goalsTable, plugin->goalsColumns, "3");
    fillTable(plugin->assistsTable, plugin->assistsColumns, "2");
    fillTable(plugin->savesTable, plugin->savesColumns, "4");
    fillTable(plugin->shotsTable, plugin->shotsColumns, "6");
    fillTable(plugin->demosTable, plugin->demosColumns, "1");
    for (std::string* average :
         {&plugin->averageMmr, &plugin->averagePoints, &plugin->averageGoals, &plugin->averageAssists,
          &plugin->averageSaves, &plugin->averageShots, &plugin->averageDemos})
        *average = "1234.50";
    return plugin;
}

void BM_RenderSevenBoxesOfTenMatches(benchmark::State& state) {
    auto world = hostcore::World::create();
    world->recordDrawing = false;
    auto plugin = pluginWithTenMatches();
    const CanvasWrapper canvas(world);
    // Each frame gets its own canvas handle, as from the host.
    for (auto _ : state)
        plugin->render(canvas);
}
BENCHMARK(BM_RenderSevenBoxesOfTenMatches);

// The floor under the figure above: the same frame's canvas calls replayed from a list made in
// advance, with nothing computed. What render itself costs is the difference between the two.
void BM_CanvasCallsOfTheSameFrame(benchmark::State& state) {
    auto world = hostcore::World::create();
    world->addDrawable(
        [plugin = pluginWithTenMatches()](CanvasWrapper canvas) { plugin->render(std::move(canvas)); });
    world->drawFrames(1);
    const std::vector<hostcore::DrawCall> calls = world->lastFrame();
    world->clearDrawables();
    world->recordDrawing = false;

    const CanvasWrapper canvas(world);
    for (auto _ : state) {
        CanvasWrapper frame = canvas;
        for (const hostcore::DrawCall& call : calls) {
            switch (call.kind) {
            case hostcore::DrawCall::Kind::SetColor:
                frame.SetColor(static_cast<unsigned char>(call.a), static_cast<unsigned char>(call.b),
                               static_cast<unsigned char>(call.c), static_cast<unsigned char>(call.d));
                break;
            case hostcore::DrawCall::Kind::DrawRect:
                frame.DrawRect(Vector2{call.a, call.b}, Vector2{call.c, call.d});
                break;
            case hostcore::DrawCall::Kind::SetPosition:
                frame.SetPosition(Vector2{call.a, call.b});
                break;
            case hostcore::DrawCall::Kind::DrawString:
                frame.DrawString(call.text, call.xScale, call.yScale);
                break;
            }
        }
    }
    state.counters["calls"] = static_cast<double>(calls.size());
}
BENCHMARK(BM_CanvasCallsOfTheSameFrame);

} // namespace
