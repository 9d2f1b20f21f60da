// Setters of published properties react (repaint, recreate, tell the group) only when the
// value really changes.
#pragma once

namespace corvane::ui {

// Stores `value` in `field`; true when that changed the field.
template <class T>
bool AssignIfChanged(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

} // namespace corvane::ui
