/* SPDX-License-Identifier: MIT
 * SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars */
/*
 * Kwintelvlak plug-in modules: the contract between the board and a plug-in
 * library. Plain C, so a plug-in can be written in C or in any language that
 * calls and exports C functions.
 *
 * A plug-in is a shared library (".so" on Linux, ".dll" on Windows, ".dylib"
 * on macOS). At start-up the board looks for them in three folders, in this
 * order:
 *   1. the program's own folder (the package's plug-ins: /usr/lib/kwintelvlak
 *      for the Debian package);
 *   2. the administrator's folder, outside any package:
 *      /usr/local/lib/kwintelvlak/zwenkels/ on Linux,
 *      %ProgramData%\Kwintelvlak\zwenkels on Windows;
 *   3. the user's own folder, which needs no rights:
 *      ~/.local/share/Kwintelvlak/zwenkels/ on Linux ($XDG_DATA_HOME when
 *      set), %LOCALAPPDATA%\Kwintelvlak\zwenkels on Windows.
 * Boards name a plug-in by its file name, so of libraries with the same file
 * name only the first one the board accepts is used. Each library that is
 * not used is named on standard error, with the reason, in one line:
 *   Kwintelvlak: zwenkel "/pad/naam.so" niet geladen: geen export "open"
 * (other reasons: init gaf 0; tekst begint met 'i'; naam past niet in een
 * bordbestand; ...).
 *
 * The board loads each library with its symbols kept local, and looks every
 * export up on the library's own handle: a plug-in's "open" or "save" never
 * stands in for the C library's functions of the same name, and the other
 * way round. Build plug-ins with hidden visibility and mark only the exports
 * below with KWINTEL_EXPORT, so nothing else of the library leaks out; on
 * Linux for example
 *   cc -shared -fPIC -fvisibility=hidden -Wl,--no-undefined
 *      -I/usr/include/kwintelvlak -o mijn.so mijn.c -lX11
 * and for Windows (64-bit) with MinGW-w64, on Windows or cross from Linux,
 * against the header in the program folder's "zwenkels-maken":
 *   x86_64-w64-mingw32-gcc -shared -static-libgcc -fvisibility=hidden
 *      -I zwenkels-maken -o mijn.dll mijn.c -luser32 -lgdi32 -lcomctl32
 * and put mijn.dll beside kwintelvlak.exe or in
 * %LOCALAPPDATA%\Kwintelvlak\zwenkels.
 *
 * Everything is called on the board's user-interface thread. A library may
 * run threads of its own; the board unloads it at shutdown, after "destroy"
 * of its last module, so they must have ended by then. Texts are
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
/* The board's module colour, 0xRRGGBB: what a panel shows wherever its
 * library has not drawn. */
#define KWINTEL_VLAKKLEUR 0xF0F0F0

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
 * beginning with any other character, makes the board unload the library
 * and say why on standard error.
 */
typedef int(KWINTEL_CALL* kwintel_init_fn)(char* tekst, int capaciteit);

/* "finish": looked up at start-up, never called. Optional. */
typedef void(KWINTEL_CALL* kwintel_finish_fn)(void);

/*
 * "create": a module of this kind is made (from the menu or a board file).
 * Return the module's descriptor. A descriptor with more than 10 outputs or
 * a negative count is refused: the board calls "destroy" for it and makes no
 * module.
 *
 * venster is the native window of the module's panel: an X11 Window id on
 * X11 (on the display $DISPLAY names; open a connection of your own), an
 * HWND on Windows. The library may draw its face into it. What the board
 * promises about this window:
 *  - It stays valid until "destroy" returns, and the board never draws
 *    into it.
 *  - During "create" it exists, but is neither shown nor sized. Right after
 *    "create" returns the board gives it the size the descriptor asks for,
 *    and it keeps that size: by the first "action" call the window has it.
 *    The board shows it when the module is placed (dropped from the menu,
 *    or once a board file is read).
 *  - Its size is the panel's: breedte (widened to fit the terminals) by the
 *    height the descriptor's fields give, in board pixels. At --schaal N
 *    each board pixel is N x N window pixels: the window is N times as wide
 *    and N times as high, and a face drawn at the descriptor's size must be
 *    drawn N times larger to fill it. Read the size from the window itself.
 *  - Nothing asks the library to draw: not when the panel is shown or
 *    sized, nor when it is uncovered after a dialog or another module passed
 *    over it, nor on "Vernieuwen". Draw so that the window system keeps the
 *    face (on X11 make it the window's background pixmap with
 *    XSetWindowBackgroundPixmap, which the X server puts back on every
 *    exposure; under Windows subclass the window and paint on WM_PAINT).
 *    Draw it once the size is known: on the first "action" call (a module
 *    without inputs gets one every tick, one with inputs only when a level
 *    arrives), or when the window gets its size (on X11 select
 *    StructureNotifyMask and wait for ConfigureNotify on a display
 *    connection of the library's own, for example in a thread of its own;
 *    under Windows WM_SIZE).
 *  - Wherever the library has not drawn, the window shows the board's module
 *    colour KWINTEL_VLAKKLEUR, also after it was covered: never black, never
 *    what was on the screen before.
 *  - The board's terminals lie over the face in windows of their own, and
 *    wires are drawn over it.
 *  - Where no window system can be drawn into (checking boards with
 *    --toets, pictures with --afbeelding, a Wayland session without
 *    XWayland), venster is NULL and the panel shows the module colour.
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
