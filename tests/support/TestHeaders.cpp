// The translation unit that the precompiled test headers are made for; the
// test programs reuse them.
