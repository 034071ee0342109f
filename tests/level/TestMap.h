#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A map file drawn as text, on the game's own tile set: '#' a solid tile,
// '=' a jump-through tile, 'n', 'G' and 'g' normal, giant and golden
// spawners, anything else empty. Rows from the top; tiles 64 map units wide.
struct TestMap {
    std::vector<std::string> rows;
    // Map objects as JSON objects, written into the "Zones" layer, and
    // portal objects for the "Portals" layer.
    std::vector<std::string> objects;
    std::vector<std::string> portals;
    std::string name = "Test Map";

    static int Gid(char cell)
    {
        switch (cell) {
        case '#':
            return 6; // tile 5, a solid ground tile
        case '=':
            return 22; // tile 21, a platform tile
        case 'n':
            return 25;
        case 'G':
            return 26;
        case 'g':
            return 27;
        default:
            return 0;
        }
    }

    std::string Json() const
    {
        const std::size_t width = rows.empty() ? 0 : rows.front().size();
        std::string data;
        std::string empty;
        for (const std::string& row : rows) {
            for (char cell : row) {
                data += (data.empty() ? "" : ",") + std::to_string(Gid(cell));
                empty += empty.empty() ? "0" : ",0";
            }
        }
        std::string objectList;
        for (const std::string& object : objects)
            objectList += (objectList.empty() ? "" : ",") + object;
        std::string portalList;
        for (const std::string& portal : portals)
            portalList += (portalList.empty() ? "" : ",") + portal;
        const std::string size = R"("width": )" + std::to_string(width) + R"(, "height": )" + std::to_string(rows.size());
        return R"({"type": "map", )" + size + R"(, "tilewidth": 64, "tileheight": 64,
            "properties": {"Color": "Green", "Name": ")" + name + R"("},
            "tilesets": [{"firstgid": 1, "source": "tiles.json"}],
            "layers": [{"name": "Background", )" + size + R"(, "data": [)" + empty + R"(]},
                       {"name": "Foreground", )" + size + R"(, "data": [)" + data + R"(]},
                       {"name": "Zones", "objects": [)" + objectList + R"(]},
                       {"name": "Portals", "objects": [)" + portalList + R"(]}]})";
    }

    // Writes the map into the directory and returns its path.
    std::string Write(const std::filesystem::path& directory, const std::string& file = "map.json") const
    {
        std::filesystem::create_directories(directory);
        const std::filesystem::path path = directory / file;
        std::ofstream(path) << Json();
        return path.string();
    }
};

// A map object of the given type, in map units.
inline std::string MapObjectJson(const std::string& name, const std::string& type, float x, float y, float width,
                                 float height, int id = 1)
{
    return R"({"id": )" + std::to_string(id) + R"(, "name": ")" + name + R"(", "type": ")" + type + R"(", "x": )" +
           std::to_string(x) + R"(, "y": )" + std::to_string(y) + R"(, "width": )" + std::to_string(width) +
           R"(, "height": )" + std::to_string(height) + R"(, "rotation": 0, "visible": true})";
}

// A portal object of the "Portals" layer.
inline std::string PortalJson(const std::string& name, const std::string& direction, float x, float y, int id = 1)
{
    std::string object = MapObjectJson(name, "Portal", x, y, 64.0f, 128.0f, id);
    object.pop_back();
    return object + R"(, "properties": {"Direction": ")" + direction + R"("}})";
}
