// Identities of the test component server (fake_server.cpp).
#pragma once

#include "qor/com_types.h"

// {51A0C3D2-7E4B-4F10-9C2D-0123456789AB}
constexpr CLSID kFakeClsid = {
    0x51A0C3D2, 0x7E4B, 0x4F10, {0x9C, 0x2D, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB}};
constexpr const char* kFakeClsidText = "{51A0C3D2-7E4B-4F10-9C2D-0123456789AB}";
constexpr const char* kFakeProgId = "QorTest.Fake";
// The default value (DISPID_VALUE) every fake object answers.
constexpr const char16_t* kFakeDefaultValue = u"fake default";
