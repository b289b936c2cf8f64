// The video file a capture makes. ffmpeg writes it in a private staging
// folder beside its final name, and only a finished video (or, when asked,
// a stopped one) is moved to that name, in one step. So a run never leaves
// a partial file under the final name unless asked, never removes a file it
// did not make, and replaces an existing file only when allowed.
#ifndef PLM_TOOLS_CAPTURE_VIDEO_FILE_H
#define PLM_TOOLS_CAPTURE_VIDEO_FILE_H

#include <string>

// Checks, changing nothing, that a video may be written at out: its folder
// exists and new entries can be made in it, and out names nothing or a
// regular file, the latter only with replace. On success *resolved is out
// made absolute with the links in it resolved (the file that will be
// replaced). False with the reason, naming out, otherwise.
bool CheckVideoFile(const std::string& out, bool replace, std::string* resolved, std::string* error);

class CVIDEOFILE {
public:
    CVIDEOFILE() = default;
    ~CVIDEOFILE();
    CVIDEOFILE(const CVIDEOFILE&) = delete;
    CVIDEOFILE& operator=(const CVIDEOFILE&) = delete;

    // Makes the staging folder beside finalPath (a path CheckVideoFile
    // resolved). False with the reason when it cannot.
    bool Open(const std::string& finalPath, bool replace, std::string* error);
    // Where ffmpeg writes: a file of the final name's name in the staging
    // folder, so that ffmpeg still tells the container from its ending.
    const std::string& StagedPath() const { return staged; }
    // Moves the staged file to the final name (replacing a file there only
    // if Open was told so) and removes the staging folder. False with the
    // reason when the move fails; the staging folder is removed anyway.
    bool Publish(std::string* error);
    // Removes the staging folder and whatever is in it; the final name is
    // left alone.
    void Discard();

private:
    std::string finalPath;
    std::string folder;
    std::string staged;
    bool replace = false;
};

#endif
