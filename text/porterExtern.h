#ifndef QUELT_TEXT_PORTEREXTERN_H
#define QUELT_TEXT_PORTEREXTERN_H

// Porter's suffix-stripping stemmer (1980), working in place.
//
// The word is b[k0..k] inclusive and is expected in lower-case ASCII; any
// byte other than a, e, i, o, u and y counts as a consonant, so a word in
// upper case (or made of digits) comes back as it went in. The return value
// is the index of the stem's last byte; the caller ends the stem after it
// (the bytes beyond are left as they are). Bytes outside b[k0..k] are never
// read or written, so a word may be stemmed where it lies inside a larger
// buffer. Words of one or two bytes are returned unchanged.
//
// Differences from the published rules: step 2 maps "bli" to "ble" (the
// paper maps "abli" to "able") and has the extra rule "logi" -> "log".
//
// The working state lives in a per-call object, so the function is
// reentrant and needs no allocation.
int stem(char* b, int k0, int k);

#endif
