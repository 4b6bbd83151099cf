#ifndef KORVANE_SOLVER_LIT_H
#define KORVANE_SOLVER_LIT_H

// A literal: variable v with sign s (0 positive, 1 negative) is the code
// 2*v + s. Variables are ints counted from 0; -1 stands for "no variable".
// The code indexes per-literal arrays (watch lists, occurrence counts).
class Lit {
public:
    // The default literal is lit_Undef (variable -1, positive).
    constexpr Lit() : code(-2) {}
    constexpr explicit Lit(int var, bool negative = false) : code(var + var + (negative ? 1 : 0)) {}

    friend constexpr Lit operator~(Lit p);
    friend constexpr Lit operator^(Lit p, bool b);
    friend constexpr bool sign(Lit p);
    friend constexpr int var(Lit p);
    friend constexpr int toInt(Lit p);
    friend constexpr Lit toLit(int code);

    constexpr bool operator==(Lit p) const { return code == p.code; }
    constexpr bool operator!=(Lit p) const { return code != p.code; }
    // Code order: the two literals of a variable are neighbours, positive first.
    constexpr bool operator<(Lit p) const { return code < p.code; }

private:
    int code;
};

// The literal with the given code.
constexpr Lit toLit(int code) {
    Lit p;
    p.code = code;
    return p;
}
// Negation.
constexpr Lit operator~(Lit p) { return toLit(p.code ^ 1); }
// Flips the sign when b is true.
constexpr Lit operator^(Lit p, bool b) { return toLit(p.code ^ (b ? 1 : 0)); }
// True for a negative literal.
constexpr bool sign(Lit p) { return (p.code & 1) != 0; }
constexpr int var(Lit p) { return p.code >> 1; }
constexpr int toInt(Lit p) { return p.code; }

// No literal (-2), and the error code (-1) of the subsumption test.
constexpr Lit lit_Undef = Lit(-1, false);
constexpr Lit lit_Error = Lit(-1, true);

#endif
