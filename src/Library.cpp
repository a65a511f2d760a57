#include "Library.h"

#include <algorithm>
#include <cstdio>

Library::~Library() = default;

int Library::countWords(const std::string& S) {
  return static_cast<int>(std::count(S.begin(), S.end(), ' ')) + 1;
}

std::string Library::converteMinusculas(const std::string& TEXT) {
  std::string lowered = TEXT;
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return lowered;
}

bool Library::isPontuation(char c) {
  switch (c) {
    case '.':
    case ',':
    case ':':
    case ';':
    case '!':
    case '?':
    case '\'':
    case '"':
    case '/':
    case '(':
    case ')':
    case '[':
    case ']':
      return true;
    default:
      return false;
  }
}

bool Library::isStopWord(const std::string& word,
                         const std::vector<std::string>& stopList) {
  return std::find(stopList.begin(), stopList.end(), word) != stopList.end();
}

void Library::printVectorString(const std::vector<std::string>& v) {
  for (const std::string& s : v) {
    std::fwrite(s.data(), 1, s.size(), stdout);
    std::fputc('\n', stdout);
  }
}
