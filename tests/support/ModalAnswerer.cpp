#include "ModalAnswerer.h"
