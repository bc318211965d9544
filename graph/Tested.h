#pragma once

// A widget that a test driver can step through its states.
class ITested
{
public:
    virtual ~ITested() = default;
    virtual void Test(int step) = 0;
};
