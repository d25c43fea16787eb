// The part of the monitor that windows may use (without panels and docks).
#ifndef ARCADE_CORE_WORK_AREA_H
#define ARCADE_CORE_WORK_AREA_H

struct WorkArea {
    int x;
    int y;
    int w;
    int h;
};

// The work area of the monitor the game opens on; the whole monitor where
// the desktop tells none; the window of the last start-up attempt where no
// monitor is reported.
void work_area_get(WorkArea *area);

#endif
