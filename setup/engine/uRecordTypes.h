// The object record types of the setup data, one table: per OBJECT_TYPE the
// progress text shown while a record is carried out (its language key, the
// built-in text and what part of the record it names) and the install action
// that carries the record out.
#pragma once

#include "uInstallContext.h"

#include <string>

class TStrings;

namespace uRecordTypes {

// Carries the record out, or with `skip` only reads it (and passes over its
// payload), so that the next record is read in step.
using TRecordAction = void (*)(const TStrings& record, bool skip, TInstallContext& context);
// The part of the record that the progress text names, for a type whose target
// is not one field.
using TTargetFunc = std::string (*)(const TStrings& record);

struct TRecordType {
    const char* ObjectType;
    // The language key of the progress text and its built-in text; no key: the
    // type shows none.
    const char* ProgressKey;
    const char* ProgressDefault;
    // The field the progress text names, or the function that makes it; neither:
    // the text names nothing.
    const char* TargetField;
    TTargetFunc Target;
    TRecordAction Action;
};

// The entry of `objectType` (as written, case and all); nullptr for a type this
// engine does not know.
const TRecordType* Find(const std::string& objectType);

// What the type's progress text names in `record`; false when it names nothing.
bool ProgressTarget(const TRecordType& type, const TStrings& record, std::string& target);

} // namespace uRecordTypes
