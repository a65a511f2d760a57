// Orders a summary with the installed library and writes it as sentralign
// does: order_example METHOD SUMMARY TEXT... (no relation files).

#include <sentralign/sentralign.h>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  try {
    const std::vector<std::string> texts(argv + 3, argv + argc);
    const sentralign::Cluster cluster = sentralign::Cluster::fromFiles(texts);
    const sentralign::Ordering ordering =
        cluster.orderFile(argv[2], sentralign::parseMethod(argv[1]));
    for (const sentralign::Sentence& s : ordering.sentences) {
      std::printf("%s\n", s.bytes.c_str());
    }
  } catch (const sentralign::Error& e) {
    std::fprintf(stderr, "order_example: %s\n", e.what());
    return 1;
  }
  return 0;
}
