#pragma once

// Sets a flag for the lifetime of the guard and puts the value it had back on
// every way out, without anything else: the chart's painting gate is saved,
// set and restored this way by the operations that change it in several steps.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : FFlag(flag), FSaved(flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = FSaved; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};
