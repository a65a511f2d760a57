// sentralign-eval: scores the ordering methods against human orderings.
//
//   sentralign-eval [OPTIONS] DIRECTORY

#include <cstdio>
#include <new>

#include "eval/EvalDriver.h"

int main(int argc, char** argv) {
  try {
    return evalMain(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "sentralign-eval: memoria esgotada\n");
    return kEvalExitFailure;
  }
}
