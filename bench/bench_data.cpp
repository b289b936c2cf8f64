#include "bench_options.h"

#include "platform/process.h"

std::string DefaultBenchData()
{
    std::string folder = PlatformProgramDirectory();
    return folder.empty() ? std::string("data.dat") : folder + "/../dist/data.dat";
}
