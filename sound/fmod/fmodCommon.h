#pragma once

// Result codes, flags and constants of our FMOD-Ex-style layer. The values are
// FMOD Ex's own, so that a code printed by the game means what a player who
// knows FMOD expects.

// Version word 0xaaaabbcc: major.minor.build.
constexpr unsigned int FMOD_VERSION = 0x00044464;

// Only the codes this layer returns are named; FMOD_ErrorString knows the text
// of every FMOD Ex code, 0 to 95.
enum FMOD_RESULT : int {
    FMOD_OK = 0,
    FMOD_ERR_CHANNEL_ALLOC = 10,
    FMOD_ERR_FILE_BAD = 19,
    FMOD_ERR_FILE_NOTFOUND = 23,
    FMOD_ERR_FORMAT = 25,
    FMOD_ERR_INITIALIZED = 32,
    FMOD_ERR_INVALID_HANDLE = 36,
    FMOD_ERR_INVALID_PARAM = 37,
    FMOD_ERR_INVALID_POSITION = 38,
    FMOD_ERR_MEMORY = 43,
    FMOD_ERR_NOTREADY = 54,
    FMOD_ERR_OUTPUT_CREATEBUFFER = 56,
    FMOD_ERR_OUTPUT_FORMAT = 59,
    FMOD_ERR_OUTPUT_INIT = 60,
    FMOD_ERR_UNINITIALIZED = 79,
    FMOD_ERR_UNSUPPORTED = 80,
};

enum FMOD_OUTPUTTYPE : int {
    FMOD_OUTPUTTYPE_AUTODETECT = 0, // the device OpenAL opens
    FMOD_OUTPUTTYPE_NOSOUND = 2,    // no device: channels run on a silent clock
};

enum FMOD_SPEAKERMODE : int {
    FMOD_SPEAKERMODE_RAW = 0,
    FMOD_SPEAKERMODE_MONO = 1,
    FMOD_SPEAKERMODE_STEREO = 2,
    FMOD_SPEAKERMODE_QUAD = 3,
    FMOD_SPEAKERMODE_SURROUND = 4,
    FMOD_SPEAKERMODE_5POINT1 = 5,
    FMOD_SPEAKERMODE_7POINT1 = 6,
};

enum FMOD_SOUND_FORMAT : int {
    FMOD_SOUND_FORMAT_PCM16 = 2,
    FMOD_SOUND_FORMAT_PCMFLOAT = 5,
};

enum FMOD_DSP_RESAMPLER : int {
    FMOD_DSP_RESAMPLER_LINEAR = 1,
};

// A playback channel chosen by the system rather than by index.
enum FMOD_CHANNELINDEX : int {
    FMOD_CHANNEL_FREE = -1,
};

typedef unsigned int FMOD_CAPS;
constexpr FMOD_CAPS FMOD_CAPS_NONE = 0x00000000;
constexpr FMOD_CAPS FMOD_CAPS_HARDWARE_EMULATED = 0x00000002;

typedef unsigned int FMOD_INITFLAGS;
constexpr FMOD_INITFLAGS FMOD_INIT_NORMAL = 0x00000000;

typedef unsigned int FMOD_MODE;
constexpr FMOD_MODE FMOD_LOOP_NORMAL = 0x00000002;

typedef unsigned int FMOD_TIMEUNIT;
constexpr FMOD_TIMEUNIT FMOD_TIMEUNIT_MS = 0x00000001;
constexpr FMOD_TIMEUNIT FMOD_TIMEUNIT_PCM = 0x00000002;
constexpr FMOD_TIMEUNIT FMOD_TIMEUNIT_RAWBYTES = 0x00000008;

// Only ever passed as null: streams open from a file path alone, and drivers
// are told apart by index.
struct FMOD_CREATESOUNDEXINFO;
struct FMOD_GUID;
