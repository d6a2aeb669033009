#pragma once
// The category and levels of every trace the plug-ins send through the host's HostTrace.
namespace contract {

inline constexpr int kTraceCategory = 69;

inline constexpr int kTraceFailure = 0;       // a failure
inline constexpr int kTraceImport = 1;        // progress of an import
inline constexpr int kTraceImportDetail = 2;  // finer progress of an import
inline constexpr int kTracePattern = 5;       // each searched pattern
inline constexpr int kTraceScanDetail = 10;   // the details of a scan
inline constexpr int kTraceEntry = 13;        // entry points and start-up paths

}  // namespace contract
