// The program's version, as --version prints it.
#ifndef PLM_SHELL_VERSION_H
#define PLM_SHELL_VERSION_H

const char* const PLUMORA_VERSION = "1.0.0";

#endif
