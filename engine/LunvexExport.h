#pragma once
// Symbols of the Lunvex shared library that callers may bind; everything
// else stays hidden so the library's interface is exactly what is marked.
#if defined(_WIN32)
#define LUNVEX_API __declspec(dllexport)
#else
#define LUNVEX_API __attribute__((visibility("default")))
#endif
