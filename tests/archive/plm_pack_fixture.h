// Test fixture for running the plm-pack program in a scratch folder.
#ifndef PLM_TESTS_ARCHIVE_PLM_PACK_FIXTURE_H
#define PLM_TESTS_ARCHIVE_PLM_PACK_FIXTURE_H

#include <sys/wait.h>

#include <csignal>
#include <cstdlib>

#include "tests/archive/scratch.h"

class PlmPackTest : public ScratchTest {
protected:
    // Runs plm-pack with args (shell words); stdout lands in `out`, stderr
    // in `err`. Returns the exit status, or -1 if it did not exit. A run that
    // hangs (say, opening a FIFO) is ended after two minutes and fails.
    int Run(const std::string& args)
    {
        fs::path outFile = root / "stdout.txt", errFile = root / "stderr.txt";
        std::string command = std::string("timeout -s KILL 120 ") + PLM_PACK + " " + args + " >'" +
                              outFile.string() + "' 2>'" + errFile.string() + "'";
        int status = std::system(command.c_str());
        out = ReadWholeFile(outFile);
        err = ReadWholeFile(errFile);
        fs::remove(outFile);
        fs::remove(errFile);
        int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return code == 128 + SIGKILL ? -1 : code;
    }
    // A tree src/plumora_data with every byte value, an empty directory, an
    // empty file and deep directories; src/ignored.txt lies beside it.
    void MakeSource()
    {
        std::string all;
        for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
        fs::create_directories("src/plumora_data/gfx");
        fs::create_directories("src/plumora_data/empty dir");
        fs::create_directories("src/plumora_data/a/b/c");
        WriteWholeFile("src/plumora_data/gfx/all.bin", all);
        WriteWholeFile("src/plumora_data/a/b/c/zero", "");
        WriteWholeFile("src/plumora_data/top.txt", "top");
        WriteWholeFile("src/ignored.txt", "not packed");
    }
    std::string out, err;
};

#endif
