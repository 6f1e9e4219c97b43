#pragma once

// The ticket-printer library's C interface. Every printer call opens the selected serial port,
// sends its command, reads the printer's answer if any and closes the port again; the only
// state kept between calls is the selected port. Buffers belong to the caller.
//
// Results of a transaction (ZupriSendCmd, ZupriTxBuffer, ZupriSpecialTxBuffer and the commands
// answered "as ZupriTxBuffer"):
//   0..255      the reply byte when one byte is expected (0 when none arrived in time);
//               0 after success with no reply or with a longer reply
//   4           printer not ready (CTS off) on a call that is not special
//   808 / 809   clearing the output / input buffer failed
//   810         setting the time-outs failed
//   1002, 1010, 1030 + e   the port opened but the system reported "already exists",
//               "access denied" or another error e
//   1666        reading the port's line settings failed
//   6000 + e    writing the command failed (e as a signed 16-bit value)
//   8000 + e    reading the reply failed
//   e           opening the port or writing its line settings failed: the system error code

#if defined(_WIN32)
#if defined(ZUPRI_BUILDING_DLL)
#define ZUPRI_API __declspec(dllexport)
#elif defined(ZUPRI_STATIC)
#define ZUPRI_API
#else
#define ZUPRI_API __declspec(dllimport)
#endif
#else
#define ZUPRI_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Opens the cash drawer on pin 0 with the pulse times t1 and t2.
ZUPRI_API int ZupriAbreGaveta(unsigned char t1, unsigned char t2);
// Line width: mode '0' 40 columns, '1' 48, '2' 60; any other value is sent as '0'.
ZUPRI_API int ZupriCaracteresPorLinha(int mode);
ZUPRI_API int ZupriImpressaoEnfatizada(void);
ZUPRI_API int ZupriImpressaoNormal(void);
// Sends at most 1000 bytes as given; returns how many were passed on.
ZUPRI_API int ZupriImprime(const char *data, int length);
// Prints one line in the width of mode ('0', '1', '2'); returns the characters printed.
ZUPRI_API int ZupriImprimeLinha(int mode, const char *text, int length);
ZUPRI_API int ZupriInicializaImpressora(void);
// Expanded print on when flag is below '0' (0x30), off otherwise.
ZUPRI_API int ZupriModoExpandido(int flag);
// Selects the port for later calls: '0' to '3' give COM1 to COM4, anything else COM3.
// Returns the selected index 0 to 3; the port itself is not touched.
ZUPRI_API int ZupriOpenPort(int portCharacter);
// Page length given as two digit characters.
ZUPRI_API int ZupriProgramaTamanhoPagina(const char *twoDigits);
// The printer's ready line reports the on-line state again.
ZUPRI_API int ZupriRSTStatusEmLinha(void);
// The printer's ready line reports the paper sensor of the authentication slot.
ZUPRI_API int ZupriRSTStatusSensorPapel(void);
// One complete transaction: sends length bytes, reads replyLength bytes into reply (which must
// hold them when replyLength is above 1). special skips the printer-ready check.
ZUPRI_API int ZupriSendCmd(const char *data, int length, char *reply, unsigned replyLength,
                           int special);
// Shows the library's about box; returns 1 (OK).
ZUPRI_API int ZupriSobreDLL(void);
// Sends the data and reads one reply byte without the printer-ready check.
ZUPRI_API int ZupriSpecialTxBuffer(const char *data, int length);
// '1' (0x31) when the printer is ready or the port cannot be used, '0' (0x30) when not ready.
ZUPRI_API int ZupriStatusImpressora(void);
// The paper sensor byte of the authentication slot, sign-extended.
ZUPRI_API int ZupriStatusSensorAutenticacao(void);
// Sends the data and reads one reply byte.
ZUPRI_API int ZupriTxBuffer(const char *data, int length);
// Copies the printer's 16-character version text into version (no terminator is added).
ZUPRI_API void ZupriVersao(char *version, unsigned char n);

#ifdef __cplusplus
}
#endif
