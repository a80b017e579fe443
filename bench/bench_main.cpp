#include "FrameMemcpy.h"

BENCHMARK(BM_FrameMemcpy);
