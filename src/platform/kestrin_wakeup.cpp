// kestrin-wakeup: reads or sets the RTC's wake switch.
//   kestrin-wakeup query     prints "wakeup=<state>" (the switch's text), exit 0
//   kestrin-wakeup enable    writes "enabled"  (needs root: run through pkexec)
//   kestrin-wakeup disable   writes "disabled"
// Failures print the system's text and the path on standard error and exit 1; a wrong
// command line exits 2. The program takes no path from its caller: when it runs with
// rights its caller lacks (pkexec, set-user-ID or -group-ID, file capabilities) it
// ignores KESTRIN_SYSFS_ROOT.

#include "platform/rtcwake.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/auxv.h>
#include <string>
#include <unistd.h>

namespace {

int Fallo(const std::string &rsRuta)
{
    const int error = errno;
    std::fprintf(stderr, "%s: %s\n", std::strerror(error), rsRuta.c_str());
    return 1;
}

int Consultar(const std::string &rsRuta)
{
    const int fd = ::open(rsRuta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Fallo(rsRuta);
    char bufer[128];
    const ssize_t leidos = ::read(fd, bufer, sizeof bufer - 1);
    if (leidos < 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return Fallo(rsRuta);
    }
    ::close(fd);
    std::string texto(bufer, size_t(leidos));
    while (!texto.empty() && (texto.back() == '\n' || texto.back() == ' '))
        texto.pop_back();
    std::printf("%s%s\n", PREFIJO_RESPUESTA_RTC, texto.c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int Cambiar(const std::string &rsRuta, const char *rsEstado)
{
    // O_TRUNC without O_CREAT: a missing switch is an error, never a new file.
    const int fd = ::open(rsRuta.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return Fallo(rsRuta);
    const size_t largo = std::strlen(rsEstado);
    const ssize_t escritos = ::write(fd, rsEstado, largo);
    const int error = errno;
    if (::close(fd) != 0 || escritos != ssize_t(largo)) {
        errno = escritos < 0 ? error : (errno ? errno : EIO);
        return Fallo(rsRuta);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrin-wakeup query|enable|disable\n");
        return 2;
    }
    // AT_SECURE is the kernel's own word that this process was given rights its caller
    // has not: set-user-ID, set-group-ID or file capabilities.
    const bool conPermisosAjenos = std::getenv("PKEXEC_UID") != nullptr || getuid() != geteuid() ||
                                   getgid() != getegid() || ::getauxval(AT_SECURE) != 0;
    const std::string ruta = Ruta_Interruptor_Rtc(!conPermisosAjenos);
    const std::string orden = argv[1];
    if (orden == "query")
        return Consultar(ruta);
    if (orden == "enable")
        return Cambiar(ruta, "enabled");
    if (orden == "disable")
        return Cambiar(ruta, "disabled");
    std::fprintf(stderr, "usage: kestrin-wakeup query|enable|disable\n");
    return 2;
}
