#include "core/CManagerTable.h"

namespace Vesk {

void CManagerTable::Append(const CManagerTable& other)
{
    m_Steps.insert(m_Steps.end(), other.m_Steps.begin(), other.m_Steps.end());
}

bool CManagerTable::Start()
{
    m_FailedStep.clear();
    for (size_t i = 0; i < m_Steps.size(); ++i) {
        if (m_Steps[i].start && !m_Steps[i].start()) {
            m_FailedStep = m_Steps[i].name;
            StopFirst(i);
            return false;
        }
    }
    return true;
}

void CManagerTable::Stop() const { StopFirst(m_Steps.size()); }

void CManagerTable::StopFirst(size_t count) const
{
    for (size_t i = count; i-- > 0;) {
        if (m_Steps[i].stop)
            m_Steps[i].stop();
    }
}

} // namespace Vesk
