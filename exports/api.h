// The declarations of every export, generated from the table. Inside the DLL
// they carry dllexport, which is what puts exactly these names into its export
// directory; other users (lmx, tests) see plain C declarations.
#ifndef LORIMAX_EXPORTS_API_H
#define LORIMAX_EXPORTS_API_H

#include <stdint.h>
#include <wchar.h>

#include "exports/table.h"

#ifdef __cplusplus
#define LMX_EXTERN_C extern "C"
#else
#define LMX_EXTERN_C
#endif

#if defined(LORIMAX_BUILDING_DLL)
#define LMX_API LMX_EXTERN_C __declspec(dllexport)
#else
#define LMX_API LMX_EXTERN_C
#endif

#define LMX_DECLARE_(family, name, result, failure, range, meaning, ...) LMX_API LMX_TYPE_##result name(LMX_PARAMS(__VA_ARGS__));
LMX_ALL_EXPORTS(LMX_DECLARE_)
#undef LMX_DECLARE_

#endif
