// Marks what the shared sentralign library exports; everything else in it
// stays hidden, so that its internal names never meet a program's own.

#ifndef SENTRALIGN_PUBLIC_EXPORT_H_
#define SENTRALIGN_PUBLIC_EXPORT_H_

#if defined(SENTRALIGN_BUILDING_LIBRARY)
#define SENTRALIGN_EXPORT __attribute__((visibility("default")))
#else
#define SENTRALIGN_EXPORT
#endif

#endif  // SENTRALIGN_PUBLIC_EXPORT_H_
