/* libvarnio: byte access to the hardware monitor's index port 0x295 and data
 * port 0x296. Both return non-zero on success and 0 on failure; any other
 * port fails. Which backend answers (a simulated chip or the real ports) is
 * set in the machine-wide registry store, see docs/hwmon.md. */
#ifndef VELMAR_HWMON_VARNIO_H
#define VELMAR_HWMON_VARNIO_H

#ifdef __cplusplus
extern "C" {
#endif

#define VARNIO_API __attribute__((visibility("default")))

VARNIO_API int OutPortB(int port, int value);
/* On failure *value is left as it was. */
VARNIO_API int InPortB(int port, unsigned char* value);

#ifdef __cplusplus
}
#endif

#endif
