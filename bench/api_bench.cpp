// Speed of the library API on the example cluster: the time of one call
// that reads the cluster from its files and orders its summary, and of one
// ordering of an already read cluster, for each method. Prints one line
// per method and figure, "cpp METHOD load+order|order MICROSECONDS", which
// bench/python_bench.py sets beside the Python package's figures.
//
//   api_bench [ITERATIONS]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sentralign/sentralign.h"

namespace {

const std::string kExample = std::string(SENTRALIGN_SOURCE_DIR) + "/examples/cluster/";

// Microseconds per call of `call`, over `iterations` calls.
template <class Call>
double microsecondsPerCall(int iterations, const Call& call) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < iterations; ++i) call();
  const std::chrono::duration<double, std::micro> spent =
      std::chrono::steady_clock::now() - start;
  return spent.count() / iterations;
}

}  // namespace

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::atoi(argv[1]) : 200;
  if (iterations <= 0) return 2;
  const std::vector<std::string> texts = {kExample + "D1_C1_JornalDaManha.txt",
                                          kExample + "D2_C1_GazetaDoVale.txt",
                                          kExample + "D3_C1_DiarioSerrano.txt"};
  const std::vector<std::string> relations = {
      kExample + "D1_D2.cst", kExample + "D1_D3.cst", kExample + "D2_D3.cst"};
  const std::string summary = kExample + "resumo.txt";
  const sentralign::Cluster cluster = sentralign::Cluster::fromFiles(texts, relations);
  for (int m = 1; m <= 6; ++m) {
    const auto method = static_cast<sentralign::Method>(m);
    const double both = microsecondsPerCall(iterations, [&] {
      sentralign::Cluster::fromFiles(texts, relations).orderFile(summary, method);
    });
    const double order =
        microsecondsPerCall(iterations, [&] { cluster.orderFile(summary, method); });
    std::printf("cpp %d load+order %.1f\ncpp %d order %.1f\n", m, both, m, order);
  }
  return 0;
}
