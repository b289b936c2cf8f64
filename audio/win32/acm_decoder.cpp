#include "acm_decoder.h"

#include <windows.h>
// After windows.h: the multimedia headers build on its types.
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <algorithm>

namespace {

// Input handed to the codec per conversion: a few dozen frames.
const size_t kInputChunk = 16384;

HACMSTREAM AsStream(void* stream)
{
    return static_cast<HACMSTREAM>(stream);
}

MPEGLAYER3WAVEFORMAT Mp3Format(const CMP3HEADER& h)
{
    MPEGLAYER3WAVEFORMAT f{};
    f.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    f.wfx.nChannels = static_cast<WORD>(h.channels);
    f.wfx.nSamplesPerSec = static_cast<DWORD>(h.sampleRate);
    f.wfx.nAvgBytesPerSec = static_cast<DWORD>(h.kbps) * 1000 / 8;
    f.wfx.nBlockAlign = 1;
    f.wfx.wBitsPerSample = 0;
    f.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    f.wID = MPEGLAYER3_ID_MPEG;
    f.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    f.nBlockSize = static_cast<WORD>(h.bytes);
    f.nFramesPerBlock = 1;
    f.nCodecDelay = 0;
    return f;
}

WAVEFORMATEX PcmFormat(const CMP3HEADER& h)
{
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = static_cast<WORD>(h.channels);
    f.nSamplesPerSec = static_cast<DWORD>(h.sampleRate);
    f.wBitsPerSample = 16;
    f.nBlockAlign = static_cast<WORD>(h.channels * 2);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    f.cbSize = 0;
    return f;
}

}  // namespace

CACMDECODER::~CACMDECODER()
{
    Close();
}

bool CACMDECODER::Open(const uint8_t* data, size_t size, size_t first, const CMP3HEADER& format)
{
    Close();
    if (!data || first >= size) return false;
    MPEGLAYER3WAVEFORMAT source = Mp3Format(format);
    WAVEFORMATEX target = PcmFormat(format);
    HACMSTREAM stream = nullptr;
    if (acmStreamOpen(&stream, nullptr, &source.wfx, &target, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
        MMSYSERR_NOERROR)
        return false;
    DWORD outputBytes = 0;
    if (acmStreamSize(stream, kInputChunk, &outputBytes, ACM_STREAMSIZEF_SOURCE) != MMSYSERR_NOERROR ||
        outputBytes == 0) {
        acmStreamClose(stream, 0);
        return false;
    }
    stream_ = stream;
    data_ = data;
    size_ = size;
    first_ = first;
    format_ = format;
    output_.resize(outputBytes);
    Rewind();
    return true;
}

void CACMDECODER::Rewind()
{
    next_ = first_;
    started_ = false;
    flushed_ = false;
    input_.clear();
    if (stream_) acmStreamReset(AsStream(stream_), 0);
}

void CACMDECODER::Close()
{
    if (stream_) acmStreamClose(AsStream(stream_), 0);
    stream_ = nullptr;
    data_ = nullptr;
    size_ = 0;
    input_.clear();
    output_.clear();
}

// One conversion: tops the pending input up to a chunk from the file and
// converts what the codec takes. At the end of the file a last call with
// ACM_STREAMCONVERTF_END lets the codec give out what it holds back.
bool CACMDECODER::ConvertChunk(std::vector<uint8_t>& pcm, size_t* added)
{
    const size_t take = std::min(kInputChunk - std::min(kInputChunk, input_.size()), size_ - next_);
    input_.insert(input_.end(), data_ + next_, data_ + next_ + take);
    next_ += take;
    const bool atEnd = next_ == size_;
    if (input_.empty() && (!atEnd || flushed_)) return false;

    ACMSTREAMHEADER header{};
    header.cbStruct = sizeof header;
    header.pbSrc = input_.data();
    header.cbSrcLength = static_cast<DWORD>(input_.size());
    header.pbDst = output_.data();
    header.cbDstLength = static_cast<DWORD>(output_.size());
    if (acmStreamPrepareHeader(AsStream(stream_), &header, 0) != MMSYSERR_NOERROR) return false;
    DWORD flags = started_ ? 0 : ACM_STREAMCONVERTF_START;
    if (atEnd) flags |= ACM_STREAMCONVERTF_END;
    const bool converted = acmStreamConvert(AsStream(stream_), &header, flags) == MMSYSERR_NOERROR;
    const DWORD used = std::min<DWORD>(header.cbSrcLengthUsed, header.cbSrcLength);
    const DWORD produced = std::min<DWORD>(header.cbDstLengthUsed, header.cbDstLength);
    header.cbSrcLength = static_cast<DWORD>(input_.size());
    header.cbDstLength = static_cast<DWORD>(output_.size());
    acmStreamUnprepareHeader(AsStream(stream_), &header, 0);
    if (!converted) return false;
    started_ = true;
    pcm.insert(pcm.end(), output_.data(), output_.data() + produced);
    *added += produced;
    input_.erase(input_.begin(), input_.begin() + used);
    if (atEnd) {
        flushed_ = true;
        input_.clear();  // what the codec left at the end is no whole frame
    }
    return used > 0 || produced > 0;
}

size_t CACMDECODER::Decode(size_t wanted, std::vector<uint8_t>& pcm)
{
    if (!stream_) return 0;
    size_t added = 0;
    while (added < wanted && ConvertChunk(pcm, &added)) {
    }
    return added;
}
