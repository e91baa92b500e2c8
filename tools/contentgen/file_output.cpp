#include "file_output.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

OutputTally outputTally;

namespace {
std::string outputRoot = "data";
std::string sourceRoot = "content";

bool sameBytes(const std::string &path, const void *data, size_t size)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<char> old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return old.size() == size && std::equal(old.begin(), old.end(), static_cast<const char *>(data));
}
}  // namespace

void setOutputRoot(const std::string &root) { outputRoot = root; }
std::string outputPath(const std::string &relative) { return outputRoot + "/" + relative; }
void setSourceRoot(const std::string &root) { sourceRoot = root; }
std::string sourcePath(const std::string &relative) { return sourceRoot + "/" + relative; }

bool writeOutputFile(const std::string &relative, const void *data, size_t size)
{
    const std::string path = outputPath(relative);
    outputTally.bytes += size;
    if (sameBytes(path, data, size)) {
        ++outputTally.unchanged;
        return true;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::printf("contentgen: cannot write %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(data, 1, size, f) == size;
    std::fclose(f);
    if (!ok) std::printf("contentgen: short write on %s\n", path.c_str());
    ++outputTally.files;
    return ok;
}

bool writeOutputText(const std::string &relative, const std::string &text)
{
    return writeOutputFile(relative, text.data(), text.size());
}

bool readSourceText(const std::string &relative, std::string &text)
{
    std::ifstream in(sourcePath(relative), std::ios::binary);
    if (!in) {
        std::printf("contentgen: cannot read %s\n", sourcePath(relative).c_str());
        return false;
    }
    text.assign((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return true;
}
