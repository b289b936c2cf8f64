#include "pipes/pipe_map.h"

#include "pipes/pipe.h"
#include "pipes/pipe_types.h"

#include <cstdio>
#include <new>

namespace {

// Pipe counts are held in 16 bits.
const int MAX_PIPES = 65535;

// Reads the header; false (reported) when it is missing or out of range.
bool ReadPipeCount(FILE* file, const char* path, uint16_t& count)
{
    long long announced = 0;  // signed and wide: reported as the script wrote it
    if (std::fscanf(file, "%*s %*s %lld", &announced) != 1) {
        std::fprintf(stderr, "%s: the header (label label count) is missing; no pipes\n", path);
        return false;
    }
    if (announced < 0 || announced > MAX_PIPES) {
        std::fprintf(stderr, "%s: %lld pipes is outside 0 to %d; no pipes\n", path, announced, MAX_PIPES);
        return false;
    }
    count = static_cast<uint16_t>(announced);
    return true;
}

// True (reported) when anything but white space follows the last pipe.
bool DataLeftOver(FILE* file, const char* path, uint16_t announced)
{
    char word[2];
    if (std::fscanf(file, "%1s", word) != 1) {
        return false;
    }
    std::fprintf(stderr,
                 "%s: more data follows pipe %u; the pipe count %u or a segment count "
                 "does not match the data\n",
                 path, announced, announced);
    return true;
}

}  // namespace

CPIPEMAP::CPIPEMAP() : pipes(nullptr), pipeCount(0) {}

CPIPEMAP::~CPIPEMAP()
{
    Release();
}

void CPIPEMAP::Release()
{
    for (uint16_t i = 0; i < pipeCount; ++i) {
        delete pipes[i];
    }
    delete[] pipes;
    pipes = nullptr;
    pipeCount = 0;
}

void CPIPEMAP::Load(const char* path)
{
    Load(path, pipeTypes, pipeTypeCount);
}

int CPIPEMAP::Load(const char* path, CPIPETYPE* types, uint16_t typeCount)
{
    Release();
    FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        std::fprintf(stderr, "%s: cannot open the pipes map; no pipes\n", path);
        return 0;
    }
    uint16_t announced = 0;
    bool whole = false;
    if (ReadPipeCount(file, path, announced)) {
        whole = ReadNetwork(file, path, types, typeCount, announced);
    }
    std::fclose(file);
    return whole ? 1 : 0;
}

bool CPIPEMAP::ReadNetwork(FILE* file, const char* path, CPIPETYPE* types, uint16_t typeCount,
                           uint16_t announced)
{
    pipes = new (std::nothrow) CPIPE*[announced]();
    if (pipes == nullptr) {
        std::fprintf(stderr, "%s: out of memory for %u pipes; no pipes\n", path, announced);
        return false;
    }
    PIPEREAD result = ReadPipes(file, path, types, typeCount, announced);
    bool whole = result == PIPE_READ_OK;
    if (result != PIPE_READ_BROKEN && DataLeftOver(file, path, announced)) {
        whole = false;
    }
    if (!whole) {
        std::fprintf(stderr, "%s: %u of %u pipes loaded\n", path, pipeCount, announced);
    }
    return whole;
}

// PIPE_READ_OK when every pipe loaded, PIPE_READ_REFUSED when some were left
// out, PIPE_READ_BROKEN when the script ended early or broke off.
PIPEREAD CPIPEMAP::ReadPipes(FILE* file, const char* path, CPIPETYPE* types, uint16_t typeCount,
                             uint16_t announced)
{
    PIPEREAD overall = PIPE_READ_OK;
    for (uint16_t i = 0; i < announced; ++i) {
        CPIPE* pipe = new (std::nothrow) CPIPE(types, typeCount);
        if (pipe == nullptr) {
            std::fprintf(stderr, "%s: out of memory for pipe %u\n", path, i + 1u);
            return PIPE_READ_BROKEN;
        }
        PIPEREAD result = pipe->Read(file, CMAPPLACE{path, i + 1u});
        if (result == PIPE_READ_OK) {
            pipes[pipeCount++] = pipe;
            continue;
        }
        delete pipe;
        if (result == PIPE_READ_BROKEN) {
            return PIPE_READ_BROKEN;
        }
        overall = PIPE_READ_REFUSED;
    }
    return overall;
}

void CPIPEMAP::Update(float frameDelta)
{
    for (uint16_t i = 0; i < pipeCount; ++i) {
        pipes[i]->Update(frameDelta);
    }
}

void CPIPEMAP::Draw()
{
    for (uint16_t i = 0; i < pipeCount; ++i) {
        pipes[i]->Draw();
    }
}
