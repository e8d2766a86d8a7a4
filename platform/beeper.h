#pragma once

class Beeper
{
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class SystemBeeper : public Beeper
{
public:
    void beep() override;
};
