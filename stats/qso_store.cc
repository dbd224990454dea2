#include "stats/qso_store.h"

void QsoStore::Clear() { m_records.clear(); }

void QsoStore::Append(const CInfo& record) { m_records.push_back(record); }

void QsoStore::RemoveAt(std::size_t index) {
  m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
}

void QsoStore::SetResults(std::size_t index, int32_t points, int32_t multBand,
                          int32_t serial) {
  CInfo& r = m_records[index];
  r.m_points = points;
  r.m_multBand = multBand;
  r.m_serial = serial;
}

std::ptrdiff_t QsoStore::FindEqual(const CInfo& record) const {
  for (std::size_t i = 0; i < m_records.size(); ++i) {
    if (m_records[i] == record) return static_cast<std::ptrdiff_t>(i);
  }
  return kNotFound;
}

std::ptrdiff_t QsoStore::FindCallModeBand(const std::string& call,
                                          const std::string& mode,
                                          const std::string& band) const {
  for (std::size_t i = 0; i < m_records.size(); ++i) {
    const CInfo& r = m_records[i];
    if (r.m_call == call && r.m_mode == mode && r.m_band == band) {
      return static_cast<std::ptrdiff_t>(i);
    }
  }
  return kNotFound;
}
