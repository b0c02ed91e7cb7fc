#include "sound/fmod/errorString.h"

namespace {

struct ErrorText {
    FMOD_RESULT code;
    const char* text;
};

// Every text ends with a space because the game prints it at the end of a line
// that other tools match as a whole.
constexpr ErrorText errorTexts[] = {
    {FMOD_OK, "No errors. "},
    {FMOD_ERR_CHANNEL_ALLOC, "All channels are in use; none is free to play the sound. "},
    {FMOD_ERR_FILE_BAD, "The file could not be read. "},
    {FMOD_ERR_FILE_NOTFOUND, "File not found. "},
    {FMOD_ERR_FORMAT, "The file holds no MPEG audio that could be decoded. "},
    {FMOD_ERR_INITIALIZED, "This setting must be made before System::init. "},
    {FMOD_ERR_INVALID_HANDLE, "The channel was stopped or reused: its handle is no longer valid. "},
    {FMOD_ERR_INVALID_PARAM, "An invalid parameter was passed. "},
    {FMOD_ERR_INVALID_POSITION, "The position lies beyond the end of the sound. "},
    {FMOD_ERR_MEMORY, "Not enough memory or audio resources. "},
    {FMOD_ERR_OUTPUT_CREATEBUFFER, "The output device cannot run the chosen speaker mode. "},
    {FMOD_ERR_OUTPUT_FORMAT, "The output device does not accept floating-point samples. "},
    {FMOD_ERR_OUTPUT_INIT, "The output device could not be opened. "},
    {FMOD_ERR_UNINITIALIZED, "System::init has not been called yet. "},
    {FMOD_ERR_UNSUPPORTED, "This layer does not support the requested feature. "},
};

} // namespace

const char* FMOD_ErrorString(FMOD_RESULT errcode)
{
    for (const ErrorText& entry : errorTexts)
        if (entry.code == errcode)
            return entry.text;
    return "Unknown error.";
}
