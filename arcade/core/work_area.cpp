// The desktop's work area: the X11 desktop's _NET_WORKAREA where there is
// one, cut to the monitor; else the monitor's own rectangle.
#include <allegro5/allegro.h>
#include "core/work_area.h"
#ifdef ARCADE_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

#ifdef ARCADE_HAVE_X11
// The first desktop's work area, as the window manager publishes it.
static bool desktop_work_area(WorkArea *area)
{
    Display *x = XOpenDisplay(NULL);
    Atom type;
    int format;
    unsigned long count = 0;
    unsigned long left;
    unsigned char *data = NULL;
    bool found = false;

    if (!x)
        return false;
    Atom workarea = XInternAtom(x, "_NET_WORKAREA", True);
    if (workarea != None &&
        XGetWindowProperty(x, DefaultRootWindow(x), workarea, 0, 4, False, XA_CARDINAL,
                           &type, &format, &count, &left, &data) == Success &&
        data && format == 32 && count >= 4) {
        const long *v = reinterpret_cast<const long *>(data);
        area->x = (int)v[0];
        area->y = (int)v[1];
        area->w = (int)v[2];
        area->h = (int)v[3];
        found = area->w > 0 && area->h > 0;
    }
    if (data)
        XFree(data);
    XCloseDisplay(x);
    return found;
}
#else
static bool desktop_work_area(WorkArea *area)
{
    (void)area;
    return false;
}
#endif

void work_area_get(WorkArea *area)
{
    ALLEGRO_MONITOR_INFO info = {0, 0, 0, 0};
    int adapter = al_get_num_video_adapters() - 1;
    WorkArea desk;

    if (adapter < 0 || !al_get_monitor_info(adapter, &info)) {
        area->x = 0;
        area->y = 0;
        area->w = 512;
        area->h = 480;
        return;
    }
    area->x = info.x1;
    area->y = info.y1;
    area->w = info.x2 - info.x1;
    area->h = info.y2 - info.y1;
    if (!desktop_work_area(&desk))
        return;
    // The desktop's area spans every monitor: keep the part on this one.
    int x1 = desk.x > info.x1 ? desk.x : info.x1;
    int y1 = desk.y > info.y1 ? desk.y : info.y1;
    int x2 = desk.x + desk.w < info.x2 ? desk.x + desk.w : info.x2;
    int y2 = desk.y + desk.h < info.y2 ? desk.y + desk.h : info.y2;
    if (x2 > x1 && y2 > y1) {
        area->x = x1;
        area->y = y1;
        area->w = x2 - x1;
        area->h = y2 - y1;
    }
}
