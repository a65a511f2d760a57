// sentralign-batch: loads every cluster of a corpus directory.
//
//   sentralign-batch METHOD [CORPUS/]

#include <cstdio>
#include <new>

#include "main2.h"

int main(int argc, char** argv) {
  try {
    return main2(argc, argv);
  } catch (const std::bad_alloc&) {
    std::printf("\nERROR! Memory Overflow\n\n");
    return 1;
  }
}
