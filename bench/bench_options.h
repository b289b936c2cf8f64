// What the benchmarks' command lines share: the walk over argv in GNU style
// ("--size 640x480" or "--size=640x480") with the same messages, and where
// the build's data set lies.
#ifndef PLM_BENCH_BENCH_OPTIONS_H
#define PLM_BENCH_BENCH_OPTIONS_H

#include <functional>
#include <initializer_list>
#include <string>

// Applies a value to the option `name`; false for a value it cannot use,
// with *expected saying what a good value looks like.
typedef std::function<bool(const std::string& name, const char* value, const char** expected)> BENCHAPPLY;

// Walks argv[1..]: each name in `flags` is passed to setFlag, each name in
// `valued` with its value to apply. A following "--..." is never taken as a
// value. False with the reason in *error (naming the option) at the first
// unknown option, stray argument, flag given a value, missing value or
// value that apply refuses.
bool WalkBenchOptions(int argc, const char* const* argv, std::initializer_list<const char*> flags,
                      std::initializer_list<const char*> valued,
                      const std::function<void(const std::string& name)>& setFlag, const BENCHAPPLY& apply,
                      std::string* error);

// Reads "WIDTHxHEIGHT", each side whole and from 16 to 16384 pixels;
// false (nothing set) otherwise.
bool ParseBenchSize(const char* text, int* width, int* height);

// The build's data set: dist/data.dat beside the folder holding the running
// program (data.dat in the current folder when that folder is unknown).
std::string DefaultBenchData();

#endif
