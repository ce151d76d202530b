#pragma once

// Creates the CUDA primary context at description time, so that the first render does not pay
// for it, and logs how long that took. Failures change nothing (a machine without a usable GPU
// still gets a full description); without a CUDA backend in the build, or without a usable
// device, only the timing lines are logged.
void warmUpCudaContext();
