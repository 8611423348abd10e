// The vocabulary of the tweak panels: variable types (enumerations get their own ids), the
// callbacks clients hand over, bar handles and a value record that holds any variable's value.
#pragma once

#include <cstdint>
#include <string>

namespace devgui {

using TypeId = int;
enum : TypeId {
    TYPE_UNDEF = 0,
    TYPE_BOOL,      // bool
    TYPE_INT32,     // int32_t
    TYPE_UINT32,    // uint32_t
    TYPE_FLOAT,     // float
    TYPE_COLOR3F,   // float[3], red, green, blue in 0..1
    TYPE_DIR3F,     // float[3]
    TYPE_CDSTRING,  // char*, a heap string the client's copy function reallocates
    TYPE_STDSTRING, // std::string
};
// Enumeration types (stored as int32_t) get ids from here on.
constexpr TypeId kFirstEnumType = 1000;

// Setters get a pointer to the new value (for TYPE_CDSTRING a pointer to a const char*); getters
// fill the pointed-to value (for TYPE_CDSTRING through CopyCDStringToLibrary).
using SetVarCallback = void (*)(const void* value, void* clientData);
using GetVarCallback = void (*)(void* value, void* clientData);
using ButtonCallback = void (*)(void* clientData);
using CopyCDStringFunction = void (*)(char** destination, const char* source);
using CopyStdStringFunction = void (*)(std::string& destination, const std::string& source);

// A bar handle. Ids are never reused, so a handle to a deleted bar is recognised as such.
using BarId = uint32_t;
constexpr BarId kNoBar = 0;

// One variable's value; the fields that matter follow the variable's type (enumerations use i).
struct Value {
    bool b = false;
    int32_t i = 0;
    uint32_t u = 0;
    float f[3] = {0.0f, 0.0f, 0.0f};
    std::string s;
};

} // namespace devgui
