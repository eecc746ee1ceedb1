// g++ reports floating-point comparisons to the coverage hooks too; libFuzzer's engine only
// takes integer comparisons, so these are left empty.
extern "C" {
void __sanitizer_cov_trace_cmpf(float, float) {}
void __sanitizer_cov_trace_cmpd(double, double) {}
}
