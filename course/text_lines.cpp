#include "course/text_lines.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

const char* skipBlanks(const char* text) {
  while (std::isspace(static_cast<unsigned char>(*text))) ++text;
  return text;
}

// Past the keyword and the blanks after it, or null when the line does not start with it.
const char* afterKey(const char* line, const char* key) {
  const std::size_t length = std::strlen(key);
  if (std::strncmp(line, key, length) != 0) return nullptr;
  return skipBlanks(line + length);
}

}  // namespace

bool readTextLine(std::FILE* file, TextLine& line) {
  if (!std::fgets(line.data(), int(line.size()), file)) return false;
  const std::size_t length = std::strlen(line.data());
  if (length > 0 && line[length - 1] == '\n') {
    line[length - 1] = '\0';
  } else {
    int c;
    while ((c = std::fgetc(file)) != EOF && c != '\n') {
    }
  }
  return true;
}

const char* scanInt(const char* text, int& value, bool anyBase) {
  text = skipBlanks(text);
  char* end = nullptr;
  errno = 0;
  const long number = std::strtol(text, &end, anyBase ? 0 : 10);
  if (end == text) return nullptr;
  value = number > INT_MAX ? INT_MAX : number < INT_MIN ? INT_MIN : int(number);
  return end;
}

const char* scanWord(const char* text, char* out, std::size_t outSize) {
  text = skipBlanks(text);
  const char* end = text;
  while (*end && !std::isspace(static_cast<unsigned char>(*end))) ++end;
  if (end == text || outSize == 0) return nullptr;
  const std::size_t length = std::min<std::size_t>(std::size_t(end - text), outSize - 1);
  std::memcpy(out, text, length);
  out[length] = '\0';
  return end;
}

bool matchIntKey(const char* line, const char* key, int& value, bool anyBase) {
  const char* text = afterKey(line, key);
  return text && scanInt(text, value, anyBase);
}

bool matchFloatKey(const char* line, const char* key, float& value) {
  const char* text = afterKey(line, key);
  if (!text) return false;
  char* end = nullptr;
  const float number = std::strtof(text, &end);
  if (end == text) return false;
  value = number;
  return true;
}

const char* matchWordKey(const char* line, const char* key, char* out, std::size_t outSize) {
  const char* text = afterKey(line, key);
  return text ? scanWord(text, out, outSize) : nullptr;
}

void replaceChars(char* text, char from, char to) {
  for (; *text; ++text) {
    if (*text == from) *text = to;
  }
}

void copyText(char* out, std::size_t outSize, const char* text) {
  if (outSize == 0) return;
  std::snprintf(out, outSize, "%s", text);
}

bool joinDataPath(char* out, std::size_t outSize, const char* root, const char* folder,
                  const char* name) {
  const int length = std::snprintf(out, outSize, "%s/%s/%s", root, folder, name);
  if (length < 0 || std::size_t(length) >= outSize) {
    std::printf("path too long: %s/%s/%s\n", root, folder, name);
    return false;
  }
  return true;
}
