#pragma once
// EB_HOST_FMA_CLONES compiles a host function twice, with and without the FMA instruction
// set, and picks the clone once at load time by the CPU's features. Kernel bodies call fmaf
// where the algorithm fuses a multiply-add; without the instruction set every such call goes
// to the C library, which dominates the per-pixel cost of the blur. Both clones compute the
// same correctly rounded results.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define EB_HOST_FMA_CLONES __attribute__((target_clones("fma", "default")))
#else
#define EB_HOST_FMA_CLONES
#endif
