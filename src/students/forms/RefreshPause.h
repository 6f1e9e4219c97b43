#pragma once

#include "data/modules/TDataModule1.h"

namespace students {

// Holds the data module's network refresh while a window fills its lists or runs a long job.
class RefreshPause
{
public:
    explicit RefreshPause(data::TDataModule1 &academic) : m_academic(academic) { m_academic.pauseRefresh(); }
    ~RefreshPause() { m_academic.resumeRefresh(); }
    RefreshPause(const RefreshPause &) = delete;
    RefreshPause &operator=(const RefreshPause &) = delete;

private:
    data::TDataModule1 &m_academic;
};

} // namespace students
