/* The version and maker of every shipped program: the version resource, the Add/Remove
   Programs entry, the logs and the status file all say the same. Plain #defines, so that
   the resource compiler reads it as well as C++. */
#ifndef VELMORA_VERSION_H
#define VELMORA_VERSION_H

#define VELMORA_VERSION   "6.04B"
#define VELMORA_COMPANY   "Orrimac Corporation"

#endif
