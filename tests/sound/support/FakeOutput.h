#pragma once

#include "sound/fmod/Output.h"

#include <functional>
#include <memory>
#include <vector>

namespace sound_test {

// What the system asked of the fake device.
struct OutputLog {
    std::vector<std::string> openedDrivers;
    std::vector<FMOD::OutputSettings> openSettings;
    int closes = 0;
};

// Decides the result of each open from its settings.
using OpenAnswer = std::function<FMOD_RESULT(const FMOD::OutputSettings&)>;

// A machine's drivers as tests want them: listed, opened on demand with a
// chosen answer, never heard (channels run on the silent clock).
class FakeOutput : public FMOD::Output {
public:
    FakeOutput(std::vector<FMOD::DriverInfo> drivers, std::shared_ptr<OutputLog> log, OpenAnswer answer)
        : drivers(std::move(drivers)), log(std::move(log)), answer(std::move(answer))
    {
    }

    std::vector<FMOD::DriverInfo> listDrivers() override { return drivers; }
    FMOD_RESULT open(const FMOD::DriverInfo& driver, const FMOD::OutputSettings& settings) override
    {
        log->openedDrivers.push_back(driver.name);
        log->openSettings.push_back(settings);
        return answer ? answer(settings) : FMOD_OK;
    }
    bool audible() const override { return false; }
    void close() override { ++log->closes; }
    void abandon() override {}

private:
    std::vector<FMOD::DriverInfo> drivers;
    std::shared_ptr<OutputLog> log;
    OpenAnswer answer;
};

// Systems created while it lives get a FakeOutput with these drivers.
class FakeDrivers {
public:
    explicit FakeDrivers(std::vector<FMOD::DriverInfo> drivers, OpenAnswer answer = {})
    {
        FMOD::setOutputFactory([drivers, log = log, answer] {
            return std::make_unique<FakeOutput>(drivers, log, answer);
        });
    }
    ~FakeDrivers() { FMOD::setOutputFactory({}); }
    FakeDrivers(const FakeDrivers&) = delete;
    FakeDrivers& operator=(const FakeDrivers&) = delete;

    std::shared_ptr<OutputLog> log = std::make_shared<OutputLog>();
};

} // namespace sound_test
