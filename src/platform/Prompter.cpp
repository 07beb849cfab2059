#include "platform/Prompter.h"
