// The program's one application object.
#include "app/VelorixUpdater.h"

CVelorixUpdaterApp theApp;
