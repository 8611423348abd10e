// How every content generator writes its outputs: each output is a file name and the function
// that writes it into the output directory (the first argument, else the generator's default).
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct GeneratorOutput {
    const char* file;
    std::function<bool(const std::string& path)> make;
};

// The exit status: 1 when any output could not be written (each named on standard error).
inline int WriteOutputs(const char* tool, int argc, char** argv, const char* defaultDir,
                        const std::vector<GeneratorOutput>& outputs)
{
    const std::string dir = argc > 1 ? argv[1] : defaultDir;
    int failures = 0;
    for (const GeneratorOutput& output : outputs) {
        const std::string path = dir + "/" + output.file;
        if (!output.make(path)) {
            std::fprintf(stderr, "%s: could not write %s\n", tool, path.c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
