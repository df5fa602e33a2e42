// The root of the class library's classes: a virtual destructor and the class name
// that translation and streaming look things up by.
#pragma once

#include <string>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    virtual const char* ClassName() const { return "TObject"; }
};

// Gives a class its own ClassName(); put it in the public part of every class
// whose name anything looks up.
#define CLASSLIB_CLASS_NAME(Name) \
    const char* ClassName() const override { return #Name; }
