// report.h: a benchmark reporter that keeps each run's bytes per second and
// prints them at the end as one table, with the ratios the project's
// performance targets are stated in.

#ifndef HTMLMEMDOC_BENCH_REPORT_H_
#define HTMLMEMDOC_BENCH_REPORT_H_

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class ThroughputTable : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  // Prints the table; `readPeakRatio` is the peak memory of reading the
  // 10 MB page over its size (negative when unknown).
  void Print(double readPeakRatio) const;

 private:
  double Rate(const std::string& name, const std::string& arg) const;

  // benchmark name -> argument ("" for none) -> bytes per second
  std::map<std::string, std::map<std::string, double>> m_rates;
};

#endif  // HTMLMEMDOC_BENCH_REPORT_H_
