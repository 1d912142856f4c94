// Calling convention and visibility of every function that crosses a library
// boundary: the 31 exports of a deliverable and the functions of the three
// outside libraries. Plain C calls with the platform's default convention.
#pragma once

#if defined(_WIN32)
#define VELM_EXPORT __declspec(dllexport)
#else
#define VELM_EXPORT __attribute__((visibility("default")))
#endif
