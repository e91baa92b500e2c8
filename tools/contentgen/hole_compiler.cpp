#include "hole_compiler.h"

#include "content_groups.h"
#include "course_pictures.h"
#include "file_output.h"

#include "course/hole_map.h"
#include "course/terrain_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

namespace {

constexpr int kSide = 24;  // the grids cover cells and vertices 1..24
constexpr float kNoTop = -1000.0f;

// What one character of a "cells" grid stands for.
struct CellLegend {
    std::string floor = "fairway";
    std::string object;  // empty: no object
    int rotation = 0;
    float lift = 0;      // object base above the cell's vertex
    float top = kNoTop;  // or an absolute object base
    int marker = NoMarker;
    int aim = -1;        // start heading; -1 turns the start towards the cup
    float markerHeight = 0;
    float level = 1.0f;  // ground height the cell gives its corners where the heights grid has '.'
};

// Everything read from the legends and the hole source.
struct HoleSource {
    std::map<char, float> heights;
    std::map<char, CellLegend> cells;
    std::vector<std::string> heightRows, cellRows;
    int heightLine = 0, cellLine = 0;  // lines of the "heights" and "cells" keywords
    int par = -1;
};

// Collects faults as "<name>:<line>: <problem>" and counts them.
struct Diagnostics {
    std::string name;
    int errors = 0;
    void report(int line, const std::string &problem)
    {
        std::printf("contentgen: %s:%d: %s\n", name.c_str(), line, problem.c_str());
        ++errors;
    }
};

int markerOf(const std::string &word)
{
    if (word == "start") return StartMarker;
    if (word == "cup") return HoleMarker;
    if (word == "camera") return CameraMarker;
    return -2;
}

bool parseNumber(const std::string &text, float &value)
{
    char *end = nullptr;
    value = std::strtof(text.c_str(), &end);
    return !text.empty() && end && *end == '\0';
}

// "cell <c> key=value ...": fills one legend entry.
void readCellLine(std::istringstream &words, int line, HoleSource &hole, Diagnostics &d)
{
    std::string symbol;
    if (!(words >> symbol) || symbol.size() != 1) {
        d.report(line, "a cell line names one character");
        return;
    }
    CellLegend cell;
    std::string pair;
    while (words >> pair) {
        const size_t eq = pair.find('=');
        const std::string key = pair.substr(0, eq), value = eq == std::string::npos ? "" : pair.substr(eq + 1);
        float number = 0;
        const bool numeric = parseNumber(value, number);
        if (key == "floor") cell.floor = value;
        else if (key == "object") cell.object = value;
        else if (key == "marker") cell.marker = markerOf(value);
        else if (key == "rot" && numeric) cell.rotation = static_cast<int>(number);
        else if (key == "lift" && numeric) cell.lift = number;
        else if (key == "top" && numeric) cell.top = number;
        else if (key == "aim" && numeric) cell.aim = static_cast<int>(number);
        else if (key == "mh" && numeric) cell.markerHeight = number;
        else if (key == "level" && numeric) cell.level = number;
        else d.report(line, "cannot read \"" + pair + "\"");
    }
    if (cell.marker == -2) d.report(line, "markers are start, cup or camera");
    if (!cell.object.empty() && objectIdOf(cell.object) < 0) d.report(line, "unknown object " + cell.object);
    if (floorIndexOf(kWorlds[0], cell.floor) < 0) d.report(line, "unknown floor " + cell.floor);
    hole.cells[symbol[0]] = cell;
}

// Reads legend or hole text into `hole`; grids take the 24 lines after their keyword.
void readSource(const std::string &text, HoleSource &hole, Diagnostics &d)
{
    std::istringstream in(text);
    std::string raw;
    std::vector<std::string> *grid = nullptr;
    for (int line = 1; std::getline(in, raw); ++line) {
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        // A grid runs to a blank line, the other grid's keyword or its 24th row.
        const bool gridKeyword = raw == "heights" || raw == "cells";
        if (grid && static_cast<int>(grid->size()) < kSide && !raw.empty() && !gridKeyword) {
            if (static_cast<int>(raw.size()) > kSide) d.report(line, "grid rows hold at most 24 characters");
            grid->push_back(raw);
            continue;
        }
        grid = nullptr;
        std::istringstream words(raw);
        std::string key;
        if (!(words >> key) || key[0] == '#') continue;
        if (key == "heights" || key == "cells") {
            grid = key == "heights" ? &hole.heightRows : &hole.cellRows;
            (key == "heights" ? hole.heightLine : hole.cellLine) = line;
            grid->clear();
        } else if (key == "par") {
            if (!(words >> hole.par) || hole.par < 1) d.report(line, "par is a whole number from 1");
        } else if (key == "height") {
            std::string symbol, value;
            float v = 0;
            if (!(words >> symbol >> value) || symbol.size() != 1 || !parseNumber(value, v))
                d.report(line, "height lines read: height <character> <value>");
            else
                hole.heights[symbol[0]] = v;
        } else if (key == "cell") {
            readCellLine(words, line, hole, d);
        } else if (key != "title") {
            d.report(line, "unknown line \"" + key + "\"");
        }
    }
}

// Short rows and missing rows are sea (cells) or left to the cells (heights).
void padGrid(std::vector<std::string> &rows, char filler)
{
    rows.resize(kSide);
    for (std::string &row : rows) row.resize(kSide, filler);
}

void resetGrid(int seabed)
{
    for (int x = 0; x < kGridVertices; ++x)
        for (int z = 0; z < kGridVertices; ++z) {
            TerrainCell &c = terrainGrid.cells[x][z];
            c = TerrainCell{};
            c.texture = seabed;
            c.height = kRimHeight;
        }
}

// Level of the cell at (x, z) in 1..24 from its legend; sea around the grid.
float cellLevel(const HoleSource &hole, int x, int z)
{
    if (x < 1 || z < 1 || x > kSide || z > kSide) return kRimHeight;
    const auto found = hole.cells.find(hole.cellRows[static_cast<size_t>(z - 1)][static_cast<size_t>(x - 1)]);
    return found == hole.cells.end() ? kRimHeight : found->second.level;
}

// A corner the heights grid leaves open ('.', or no grid at all) takes the
// highest level of the four cells around it, so land stays flat to its edge
// and the sea bed slopes up to meet it.
float derivedHeight(const HoleSource &hole, int x, int z)
{
    return std::max(std::max(cellLevel(hole, x, z), cellLevel(hole, x - 1, z)),
                    std::max(cellLevel(hole, x, z - 1), cellLevel(hole, x - 1, z - 1)));
}

void placeHeights(const HoleSource &hole, Diagnostics &d)
{
    for (int z = 1; z <= kSide; ++z)
        for (int x = 1; x <= kSide; ++x) {
            const char c = hole.heightRows[static_cast<size_t>(z - 1)][static_cast<size_t>(x - 1)];
            if (c == '.') {
                terrainGrid.cells[x][z].height = derivedHeight(hole, x, z);
                continue;
            }
            const auto found = hole.heights.find(c);
            if (found == hole.heights.end()) {
                d.report(hole.heightLine + z, std::string("no height for '") + c + "'");
                continue;
            }
            terrainGrid.cells[x][z].height = found->second;
        }
}

// The start faces the cup unless its legend gives a heading: the game aims at
// heading + 270 degrees, measured from +x towards +z.
int headingTowards(int fromX, int fromZ, int toX, int toZ)
{
    const double degrees = std::atan2(toZ - fromZ, toX - fromX) * 57.29578;
    int heading = static_cast<int>(std::lround(degrees - 270.0)) % 360;
    return heading < 0 ? heading + 360 : heading;
}

struct MarkerCount {
    int starts = 0, cups = 0;
    int startX = 0, startZ = 0, cupX = 0, cupZ = 0;
};

void placeCell(const WorldSpec &world, int x, int z, const CellLegend &legend, MarkerCount &m)
{
    TerrainCell &cell = terrainGrid.cells[x][z];
    cell.texture = floorIndexOf(world, legend.floor);
    if (cell.texture < 0) cell.texture = 0;  // reported with the legend line
    if (!legend.object.empty()) {
        cell.object = objectIdOf(legend.object);

        cell.objectRotation = legend.rotation;
        cell.objectHeight = legend.top != kNoTop ? legend.top : cell.height + legend.lift;
    }
    cell.interaction = legend.marker;
    cell.interactionHeight = legend.markerHeight;
    if (legend.marker == StartMarker) {
        ++m.starts;
        m.startX = x;
        m.startZ = z;
        cell.interactionRotation = legend.aim;
    } else if (legend.marker == HoleMarker) {
        ++m.cups;
        m.cupX = x;
        m.cupZ = z;
    }
}

void placeCells(const WorldSpec &world, const HoleSource &hole, Diagnostics &d)
{
    MarkerCount m;
    for (int z = 1; z <= kSide; ++z)
        for (int x = 1; x <= kSide; ++x) {
            const char c = hole.cellRows[static_cast<size_t>(z - 1)][static_cast<size_t>(x - 1)];
            const auto found = hole.cells.find(c);
            if (found == hole.cells.end())
                d.report(hole.cellLine + z, std::string("no cell legend for '") + c + "'");
            else
                placeCell(world, x, z, found->second, m);
        }
    if (m.starts != 1) d.report(0, "a hole has one start, this one " + std::to_string(m.starts));
    if (m.cups != 1) d.report(0, "a hole has one cup, this one " + std::to_string(m.cups));
    if (m.starts == 1 && m.cups == 1) {
        TerrainCell &start = terrainGrid.cells[m.startX][m.startZ];
        if (start.interactionRotation < 0) start.interactionRotation = headingTowards(m.startX, m.startZ, m.cupX, m.cupZ);
        // The cup sits at the height of the cell's first corner: the cell must be level.
        const float h = terrainGrid.cells[m.cupX][m.cupZ].height;
        if (terrainGrid.cells[m.cupX + 1][m.cupZ].height != h || terrainGrid.cells[m.cupX][m.cupZ + 1].height != h ||
            terrainGrid.cells[m.cupX + 1][m.cupZ + 1].height != h)
            d.report(hole.cellLine + m.cupZ, "the cup's cell is not level");
    }
}

bool readContent(const std::string &relative, std::string &text, bool required)
{
    if (!required && !std::filesystem::exists(sourcePath(relative))) return true;
    return readSourceText(relative, text);
}

std::string mapName(const WorldSpec &world, int hole)
{
    return "levels/" + std::to_string(hole) + "-" + world.levelName + ".map";
}

}  // namespace

int compileHoleSource(const WorldSpec &world, const std::string &name, const std::string &legend,
                      const std::string &source)
{
    HoleSource hole;
    Diagnostics legendDiagnostics{name + " (legend)"};
    readSource(legend, hole, legendDiagnostics);
    Diagnostics d{name};
    hole.heightRows.clear();
    hole.cellRows.clear();
    readSource(source, hole, d);
    if (hole.cellRows.empty()) {
        d.report(0, "a hole needs a cells grid");
        return -1;
    }
    padGrid(hole.cellRows, '~');
    padGrid(hole.heightRows, '.');
    if (hole.par < 1) d.report(0, "a hole needs a par line");
    resetGrid(floorIndexOf(world, "seabed"));
    placeHeights(hole, d);
    placeCells(world, hole, d);
    return d.errors + legendDiagnostics.errors ? -1 : hole.par;
}

bool compileAllHoles()
{
    std::string shared;
    if (!readContent("holes/legend.txt", shared, true)) return false;
    std::filesystem::create_directories(outputPath("levels"));
    bool ok = true;
    for (const WorldSpec &world : kWorlds) {
        if (!worldHasHoles(world)) continue;
        std::string own;
        const std::string folder = std::string("holes/") + world.folder + "/";
        ok = readContent(folder + "legend.txt", own, false) && ok;
        for (int hole = 1; hole <= kWorldHoles; ++hole) {
            char file[16];
            std::snprintf(file, sizeof file, "%02d.hole", hole);
            std::string source;
            if (!readContent(folder + file, source, true)) {
                ok = false;
                continue;
            }
            const int par = compileHoleSource(world, folder + file, shared + "\n" + own, source);
            if (par < 0) {
                ok = false;
                continue;
            }
            ok = writeHoleMap(outputPath(mapName(world, hole)).c_str(), terrainGrid, par) && ok;
            if (hole == 1) ok = writeCoursePicture(world) && ok;
        }
    }
    return ok;
}

bool compileOneHole(int listNumber, const std::string &sourceFile, const std::string &mapFile)
{
    const WorldSpec *world = nullptr;
    for (const WorldSpec &w : kWorlds)
        if (w.listNumber == listNumber) world = &w;
    std::string shared, own, source;
    if (!world) {
        std::printf("contentgen: no world %d\n", listNumber);
        return false;
    }
    std::ifstream in(sourceFile, std::ios::binary);
    if (!in || !readContent("holes/legend.txt", shared, true) ||
        !readContent(std::string("holes/") + world->folder + "/legend.txt", own, false)) {
        if (!in) std::printf("contentgen: cannot read %s\n", sourceFile.c_str());
        return false;
    }
    source.assign((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int par = compileHoleSource(*world, sourceFile, shared + "\n" + own, source);
    return par > 0 && writeHoleMap(mapFile.c_str(), terrainGrid, par);
}

void generateHoles()
{
    // A hole that does not compile stops the build: the game must never ship half a course.
    if (!compileAllHoles()) std::exit(1);
}
