#ifndef KORVANE_SOLVER_LBOOL_H
#define KORVANE_SOLVER_LBOOL_H

// Three-valued truth value in one signed byte: true 1, false -1, undefined 0.
class lbool {
public:
    constexpr lbool() : value(0) {}
    constexpr explicit lbool(bool b) : value(b ? 1 : -1) {}

    constexpr bool operator==(lbool b) const { return value == b.value; }
    constexpr bool operator!=(lbool b) const { return value != b.value; }
    // Negation; the undefined value stays undefined.
    constexpr lbool operator~() const { return fromByte(static_cast<signed char>(-value)); }
    // Negated when b is true.
    constexpr lbool operator^(bool b) const { return b ? ~*this : *this; }

    constexpr signed char toByte() const { return value; }
    static constexpr lbool fromByte(signed char v) {
        lbool r;
        r.value = v;
        return r;
    }

private:
    signed char value;
};

constexpr lbool l_True = lbool(true);
constexpr lbool l_False = lbool(false);
constexpr lbool l_Undef = lbool();

constexpr int toInt(lbool b) { return b.toByte(); }
constexpr lbool toLbool(int v) { return lbool::fromByte(static_cast<signed char>(v)); }

#endif
