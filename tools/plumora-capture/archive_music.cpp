#include "archive_music.h"

#include "mp3_length.h"

#include "shell/archive_reader.h"

#include <vector>

const char* const ARCHIVE_MUSIC_PATH = "plumora_data/msx/msx.mp3";

namespace {

// Reads the contents of the current record (dataLength bytes) into *bytes.
bool ReadContents(CARCHIVEREADER* reader, uint32_t dataLength, std::vector<unsigned char>* bytes,
                  std::string* error)
{
    if (dataLength > MAX_MUSIC_BYTES) {
        *error = std::string(ARCHIVE_MUSIC_PATH) + " is larger than " +
                 std::to_string(MAX_MUSIC_BYTES >> 20) + " MB";
        return false;
    }
    bytes->assign(dataLength, 0);
    size_t done = 0;
    while (done < bytes->size()) {
        int64_t n = reader->ReadData(bytes->data() + done, bytes->size() - done);
        if (n <= 0) {
            *error = n < 0 ? reader->Error() : std::string(ARCHIVE_MUSIC_PATH) + " ends early";
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Finds the music's record and reads its contents.
bool ReadMusic(const std::string& archive, std::vector<unsigned char>* bytes, std::string* error)
{
    CARCHIVEREADER reader;
    if (!reader.Open(archive.c_str())) {
        *error = reader.Error();
        return false;
    }
    CARCHIVERECORD record;
    for (;;) {
        ARCHIVESTEP step = reader.Next(&record);
        if (step == ARCHIVE_ERROR) {
            *error = reader.Error();
            return false;
        }
        if (step == ARCHIVE_END) {
            *error = std::string("the archive holds no ") + ARCHIVE_MUSIC_PATH;
            return false;
        }
        if (record.tag == TAG_FILE && record.name == ARCHIVE_MUSIC_PATH)
            return ReadContents(&reader, record.dataLength, bytes, error);
    }
}

}  // namespace

bool ReadArchiveMusicLength(const std::string& archive, double* ms, std::string* error)
{
    std::vector<unsigned char> bytes;
    if (!ReadMusic(archive, &bytes, error)) return false;
    std::string why;
    if (!Mp3LengthMs(bytes.data(), bytes.size(), ms, &why)) {
        *error = std::string(ARCHIVE_MUSIC_PATH) + ": " + why;
        return false;
    }
    return true;
}
