/*
 * Kwintelvlak plug-in modules: the contract between the board and a plug-in
 * library. Plain C, so a plug-in can be written in C or in any language that
 * calls and exports C functions.
 *
 * A plug-in is a shared library (".so" on Linux, ".dll" on Windows, ".dylib"
 * on macOS) placed in the program's folder. At start-up the board loads each
 * one, with its symbols kept local, and looks every export up on the
 * library's own handle: a plug-in's "open" or "save" never stands in for the
 * C library's functions of the same name, and the other way round. Build
 * plug-ins with hidden visibility and mark only the exports below with
 * KWINTEL_EXPORT, so nothing else of the library leaks out.
 *
 * Everything is called on the board's user-interface thread. Texts are
 * zero-terminated 8-bit strings (Windows-1252).
 *
 * Levels: a wire carries a level 0..50 (0 V .. 5.0 V). The board hands a
 * level to the library as 1024 equal samples, sample = level * 5119 / 50
 * (truncated), and reads a level back from the mean of the 1024 samples:
 * level = mean * 50 / 5119 (the mean rounded half to even and read as a
 * signed 16-bit number, the result truncated). Both truncations together
 * turn a level L in 1..49 that passes through unchanged into L - 1.
 */
#ifndef KWINTEL_PLUGIN_H
#define KWINTEL_PLUGIN_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define KWINTEL_CALL __cdecl
#else
#define KWINTEL_CALL
#endif

#if defined(_WIN32)
#define KWINTEL_EXPORT __declspec(dllexport)
#else
#define KWINTEL_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* How much "init" may write, without the terminating zero. */
#define KWINTEL_INIT_CAPACITEIT 255
/* The size of the buffer "save" writes into. */
#define KWINTEL_SAVE_CAPACITEIT 256
/* Samples in a signal buffer, and the sample that stands for 5.0 V. */
#define KWINTEL_MONSTERS 1024
#define KWINTEL_MONSTER_MAX 5119
/* The most outputs a module may have. */
#define KWINTEL_MAX_UITGANGEN 10

/*
 * The descriptor "create" returns. The library owns it and keeps it valid
 * until "destroy". Ten signed 32-bit fields, 40 bytes, no padding.
 */
typedef struct TZwenkelBeschrijving {
    int32_t eigen[3];        /* bytes 0..11: the library's own; the board never reads them */
    int32_t breedte;         /* 12: wanted panel width; negative counts as 0; at least
                                24 per terminal of the longer row plus 9 */
    int32_t minHoogte;       /* 16: minimum panel height */
    int32_t ingangenTop;     /* 20: top of the input terminals; negative means 8 */
    int32_t basisTop;        /* 24: outputs default to basisTop + 24; negative means 32 */
    int32_t uitgangenTop;    /* 28: top of the outputs; negative: the basisTop rule */
    int32_t aantalIngangen;  /* 32: number of inputs, 0 or more */
    int32_t aantalUitgangen; /* 36: number of outputs, 0..10 */
} TZwenkelBeschrijving;

/* The samples of one level: 1024 unsigned 16-bit values, 2048 bytes. */
typedef struct TSignaalBuffer {
    uint16_t monsters[KWINTEL_MONSTERS];
} TSignaalBuffer;

/*
 * "init": called once, at start-up. Write the menu caption into tekst (at
 * most capaciteit = 255 characters, zero-terminated) and return non-zero.
 * The caption must begin with "I" or "O"; the whole text, that letter
 * included, becomes the menu item under "Zwenkel". Returning 0, or a text
 * beginning with any other character, makes the board unload the library.
 */
typedef int(KWINTEL_CALL* kwintel_init_fn)(char* tekst, int capaciteit);

/* "finish": looked up at start-up, never called. Optional. */
typedef void(KWINTEL_CALL* kwintel_finish_fn)(void);

/*
 * "create": a module of this kind is made (from the menu or a board file).
 * venster is the native window handle of the module's panel (an HWND on
 * Windows, an X11 Window id on X11), valid until "destroy"; the library may
 * draw into it. Return the module's descriptor. A descriptor with more than
 * 10 outputs or a negative count is refused: the board calls "destroy" for
 * it and makes no module.
 */
typedef TZwenkelBeschrijving*(KWINTEL_CALL* kwintel_create_fn)(void* venster);

/*
 * "action": compute the module's outputs.
 *  - A level arrived at input ingang (1..n): uitgang is 0, ingangTekst is the
 *    ones text "1|1|...|" (32 times "1|"), uitgangTekst is empty, and buffer
 *    holds the level's samples. Leave the outputs' samples in buffer; the
 *    board sends the level they stand for on every output.
 *  - Clock tick, only for modules without inputs, every 10 ms: ingang is 0,
 *    uitgang is the output (1..m), called once per output in order;
 *    ingangTekst is empty and uitgangTekst is the ones text. The board does
 *    not fill buffer first: write all 1024 samples.
 * The texts are read-only.
 */
typedef void(KWINTEL_CALL* kwintel_action_fn)(TZwenkelBeschrijving* beschrijving, int ingang,
                                              int uitgang, const char* ingangTekst,
                                              const char* uitgangTekst, TSignaalBuffer* buffer);

/*
 * "open": a board file is read; tekst is what "save" stored for this module
 * (possibly empty, never containing "|", CR or LF).
 */
typedef void(KWINTEL_CALL* kwintel_open_fn)(TZwenkelBeschrijving* beschrijving, const char* tekst);

/*
 * "save": a board file is written. Write the module's setting into buffer
 * (capaciteit = 256 characters, no terminating zero needed) and return how
 * many characters were written. A result outside 0..256 is clipped to that
 * range. The text is cut at its first "|", CR, LF or zero character, since
 * those end a field or a line of the board file.
 */
typedef int(KWINTEL_CALL* kwintel_save_fn)(TZwenkelBeschrijving* beschrijving, char* buffer,
                                           int capaciteit);

/* "destroy": the module is freed (or its descriptor refused). */
typedef void(KWINTEL_CALL* kwintel_destroy_fn)(TZwenkelBeschrijving* beschrijving);

/*
 * "show", "hide", "openscene", "savescene": looked up when a module is made,
 * never called. Optional.
 */
typedef void(KWINTEL_CALL* kwintel_ongebruikt_fn)(void);

/*
 * A plug-in must export "init", "create", "action", "open", "save" and
 * "destroy" under exactly these names, for example:
 *
 *   KWINTEL_EXPORT int KWINTEL_CALL init(char* tekst, int capaciteit);
 *   KWINTEL_EXPORT TZwenkelBeschrijving* KWINTEL_CALL create(void* venster);
 *   KWINTEL_EXPORT void KWINTEL_CALL action(TZwenkelBeschrijving* b, int ingang, int uitgang,
 *                                           const char* ingangTekst, const char* uitgangTekst,
 *                                           TSignaalBuffer* buffer);
 *   KWINTEL_EXPORT void KWINTEL_CALL open(TZwenkelBeschrijving* b, const char* tekst);
 *   KWINTEL_EXPORT int KWINTEL_CALL save(TZwenkelBeschrijving* b, char* buffer, int capaciteit);
 *   KWINTEL_EXPORT void KWINTEL_CALL destroy(TZwenkelBeschrijving* b);
 *
 * (Do not include <fcntl.h> in the file that defines "open".) Inside the
 * library, do not call "open" or "save" by name: such a call may reach the C
 * library's function; let the export and the caller share a static function.
 * A library lacking one of the six is unloaded at start-up.
 */

#ifdef __cplusplus
}
#endif

#endif /* KWINTEL_PLUGIN_H */
