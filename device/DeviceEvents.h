#pragma once

// What the protocol engines report back to the device panel while a command
// runs; the panel implements it.
class IDeviceEvents
{
public:
    virtual ~IDeviceEvents() = default;

protected:
    IDeviceEvents() = default;
    IDeviceEvents(const IDeviceEvents&) = default;
    IDeviceEvents& operator=(const IDeviceEvents&) = default;
};
