// The Varnel 2D engine: one object that owns the display, input, clock and every table, and whose
// public operations and variables form the engine's interface. Implemented family by family in
// src/engine/, src/engine/sprites/ and src/engine/extras/.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include <varnel2d/engine_backends.h>
#include <varnel2d/engine_types.h>

namespace varnel2d {
// Internal records that private operations pass around; a program never sees their contents.
struct engine_state;
struct sprite_record;
struct map_cell;
struct file_error;
struct map_geometry;
enum class turn_part : int;
}  // namespace varnel2d

class Varnel_2D_Engine {
 public:
  // Real window, input and clock.
  Varnel_2D_Engine();
  // Given backends (tests and benchmarks use the doubles).
  explicit Varnel_2D_Engine(varnel2d::engine_backends backends);
  ~Varnel_2D_Engine();
  Varnel_2D_Engine(const Varnel_2D_Engine&) = delete;
  Varnel_2D_Engine& operator=(const Varnel_2D_Engine&) = delete;

  // ---- Public variables --------------------------------------------------------------------
  std::string path;         // data folder, ends with "/" after lib_setpath
  float mapx = 0.0f, mapy = 0.0f;
  int32_t framerate = 0;    // frames ended during the last whole second
  float timedelta = 0.0f;   // 1.0 in frame mode (from scene_setframerate on); the mean frame time in ms in delta mode
  bool sceneinfo = false;   // statistics overlay
  float retx = 0.0f, rety = 0.0f;
  float retr = 0.0f, retg = 0.0f, retb = 0.0f;
  float mousex = 0.0f, mousey = 0.0f;  // software cursor, screen pixels
  float mousespeed = 0.0f;
  int32_t mousexm = 0, mouseym = 0;    // raw movement of the last poll
  int32_t mousebutton = 0;             // 0 none, 1 left, 2 right, 3 both
  int32_t gamepad1_x = 0, gamepad1_y = 0, gamepad1_button = 0;
  int32_t gamepad2_x = 0, gamepad2_y = 0, gamepad2_button = 0;

  // ---- Engine object, start-up and shutdown --------------------------------------------------
  // Opens the display at width x height (depth 16 or 32), audio and input, then 100 warm-up
  // frames. frm 0 opens a window of the engine's own. A missing size argument fails.
  bool init(varnel2d::native_window frm, std::optional<double> width = std::nullopt,
            std::optional<double> height = std::nullopt, std::optional<double> depth = std::nullopt);
  void terminate();
  void private_terminate_textures();
  // Appends one line to "data.log" in the data folder; errors are ignored.
  void log(const std::string& t);
  void lib_setpath(const std::string& filepath, const std::string& foldername = "");
  double lib_getscreenwidth() const;
  double lib_getscreenheight() const;
  double lib_getscreendepth() const;
  double lib_getmaxtexturewidth();
  double lib_getmaxtextureheight();

  // ---- Textures and surfaces -----------------------------------------------------------------
  // ColorKeyValue: ARGB key (0 for none); without it the load fails.
  bool texture_load(double Index, const std::string& filenameonly,
                    std::optional<uint32_t> ColorKeyValue = std::nullopt, bool usefullpath = false);
  bool surface_load(double Index, const std::string& filenameonly, bool usefullpath = false);
  void surface_todraw(double surfacetodraw);
  double texture_getwidth(double Index);
  double texture_getheight(double Index);
  // One quad with colour, scale and clockwise rotation in degrees, and an optional black shadow.
  void texture_draw(double textureindex, double srcx, double srcy, double srcwidth, double srcheight,
                    double x, double y, double alpha, double red, double green, double blue,
                    double rotation, double xscale, double yscale, bool origintopleft,
                    double shadowalpha, double shadowxoffset, double shadowyoffset,
                    double shadowxscale, double shadowyscale, double shadowrotation);

  // ---- Frame cycle and timing ----------------------------------------------------------------
  void scene_begin();
  void scene_end();
  // True only when the device was lost and could not be rebuilt.
  bool scene_lost();
  void scene_setframerate(double fps, bool deltaflag);
  double scene_getframerate() const;
  void lib_initdelta(double fps);
  double lib_tickcount();
  void lib_setcountertype(bool highperformance);
  bool lib_highperformancecountersupport() const;
  // Returns once the clock reaches start + delayms.
  void lib_delay(double delayms);
  void lib_doevents(double howmany);
  // Saves the back buffer; without a name as "screen<n>.bmp" in the data folder.
  bool lib_savescreenshot(const std::string& fullfilepath = "");

  // ---- Keyboard, mouse and game pads ---------------------------------------------------------
  bool key_check(double key);
  // Returns once the key is up.
  void key_clear(double key);
  // Waits for one of the named keys and returns its name.
  std::string key_waitforkey();
  void mouse_config(double texture, double sx, double sy, double sw, double sh, double speed,
                    double alpha, bool shadowon, double shadowx, double shadowy, double shadowalpha,
                    bool active = false);
  void mouse_status(bool status);
  void mouse_setspeed(double speed);

  // ---- Timers and numeric helpers ------------------------------------------------------------
  void timer_init(double totaltimersneeded);
  void timer_on(double Index);
  void timer_off(double Index);
  void timer_set(double Index, double speed);
  bool timer_check(double Index);
  // A whole number in low..high, both ends included.
  double lib_getnumber(double low, double high);
  bool lib_chance(double percent);
  void lib_varaddlimit(double& var, double value, double min, double max);
  void lib_varaddwrap(double& var, double value, double min, double max);
  // Degrees from point 1 towards point 2: 0 up, clockwise, in 1..360.
  double lib_getangle(float x1, float y1, float x2, float y2);
  // Movement of `velocity` towards `angle` into retx, rety.
  void lib_getadirection(double angle, double velocity);
  double lib_getdistance(double x1, double y1, double x2, double y2);
  uint32_t lib_getargbcolor(double alpha, double red, double green, double blue);
  // True for a readable file of at least 2 bytes.
  bool lib_fileexists(const std::string& fullfilepath);
  std::string lib_filepathgetname(const std::string& filepath);

  // ---- Text ----------------------------------------------------------------------------------
  // formatstyle: 0 left and top, 1 right, 2 centred both ways. shadowcolor 0 is opaque black.
  void text(double left, double top, double width, double height, const std::string& text,
            uint32_t color, const std::string& fontstr, double fontsize, bool fontbold,
            bool fontitalic, double formatstyle, double shadowxoffset, double shadowyoffset,
            uint32_t shadowcolor);
  // Monospaced text from a letter grid (one-pixel gaps) on a texture, cell 0 holding code 32.
  void text_bitmap(const std::string& txt, double Index, double srcx, double srcy,
                   double letterwidth, double letterheight, double lettersacross, double dstx,
                   double dsty, double alpha, double shadowalpha, double shadowxoffset,
                   double shadowyoffset);

  // ==== Sprites (the sprite family's section) ================================================
  // ---- Sprite table: sprites 1..spritetotal, on/off, attributes, the z-order list ------------
  // A fresh table of `spritetotal` sprites, all off, drawn in the order spritetotal .. 1. It also empties
  // the animation table: define animations (sprite_animateset, sprite_animatefileinit) after it.
  void sprite_init(double spritetotal);
  void sprite_resetzorder();
  // Switches the sprite on with the default attributes; without origintopleft (x, y) is the centre.
  void sprite_on(double spriteindex, double xpos, double ypos, double textureindex, double srcx, double srcy,
                 double xframe, double yframe, double framewidth, double frameheight, bool origintopleft = false);
  void sprite_off(double sprite);
  void sprite_offall();
  void sprite_setstatus(double sprite, bool active);
  // 0 off, 1 on, 2, 3 waiting on a delay; nothing for any other state.
  std::optional<double> sprite_getstatus(double sprite);
  // The first sprite that is neither on nor waiting; 0 if none.
  double sprite_get1available();
  double sprite_get1availablerange(double startsprite, double endsprite);
  // One random draw in the range: that sprite if it is on, else 0.
  double sprite_get1onrandomrange(double startsprite, double endsprite);
  // Sprites on or waiting.
  double sprite_gethowmanyon();
  bool sprite_getanyoftheseon(double startsprite, double endsprite);
  double sprite_getreservedtotal();
  // Sprites on or waiting whose id1 equals `id`.
  double sprite_gethowmanyonwithid(double id);
  void sprite_setx(double sprite, double x);
  void sprite_sety(double sprite, double Y);
  void sprite_setxy(double sprite, double x, double Y);
  double sprite_getx(double sprite);
  double sprite_gety(double sprite);
  // Position into retx, rety.
  void sprite_getxy(double sprite);
  void sprite_setalpha(double sprite, double alpha);
  double sprite_getalpha(double sprite);
  void sprite_setscale(double sprite, double size);
  double sprite_getscale(double sprite);
  void sprite_setrotate(double sprite, double degree);
  double sprite_getrotate(double sprite);
  void sprite_setrgb(double sprite, double r, double g, double b);
  // Colour into retr, retg, retb.
  void sprite_getrgb(double sprite);
  void sprite_setshadow(double sprite, double alpha, double xoffset, double yoffset, bool state = false);
  void sprite_setid1(double sprite, double id);
  void sprite_setid2(double sprite, double id);
  double sprite_getid1(double sprite);
  double sprite_getid2(double sprite);
  void sprite_sethits(double sprite, double totalhitsneeded);
  double sprite_gethitsleft(double sprite);
  // Takes `addtohits` off the hits left; true when none are left.
  bool sprite_gethit(double sprite, double addtohits);
  void sprite_setcollideradius(double sprite, double radius);
  void sprite_setcollidebox(double sprite, double xspot, double yspot, double width, double height);
  void sprite_setcollidestatus(double sprite, bool state);
  // Moves the sprite to list position `zorder`; those between shift one place towards its old one.
  void sprite_setzorder(double sprite, double zorder);
  // The sprite's position in the z-order list.
  double sprite_getzorder(double sprite);
  // Whole degrees from the centre of sprite1 to the centre of sprite2: 0 up, clockwise.
  double sprite_getangle(double sprite1, double sprite2);
  // Moves the sprite and the centre of its swing or orbit.
  void sprite_addtopos(double sprite, double xvalue, double yvalue);
  void sprite_addtoposrange(double startsprite, double endsprite, double xvalue, double yvalue);
  // Moves the sprite, held inside (or wrapped around) the bounds.
  void sprite_addtoposlimit(double sprite, double xvalue, double yvalue, double xmin, double ymin, double xmax,
                            double ymax);
  void sprite_addtoposwrap(double sprite, double xvalue, double yvalue, double xmin, double ymin, double xmax,
                           double ymax);
  void sprite_addtoposlimitrange(double startsprite, double endsprite, double xvalue, double yvalue, double xmin,
                                 double ymin, double xmax, double ymax);
  void sprite_addtoposwraprange(double startsprite, double endsprite, double xvalue, double yvalue, double xmin,
                                double ymin, double xmax, double ymax);
  // `howmanysorts` steps of a bubble sort of the list by 1 y, 2 x, 3 id1 (largest at the back)
  // or 4 scale (smallest at the back).
  void sprite_sort(double sortmethod, double howmanysorts);
  // ---- Movement behaviours: a start operation per behaviour; the pass runs it by its code ------
  // 0: on at once with no pending behaviour; else off, waiting `delay` units, then on with the
  // current behaviour.
  void sprite_enginedelay(double sprite, double delay);
  double sprite_enginegetdelay(double sprite);
  // Stops the behaviour; the sprite stays on where it is.
  void sprite_engineoff(double sprite);
  double sprite_enginegettype(double sprite);
  bool sprite_enginegetbillboardwaiting(double sprite);
  // The first sprite that is on and was clicked, its click cleared; 0 if none.
  double sprite_enginegetbuttonclicked();
  // Straight lines (off outside the bounds). A run-out length stops a move, or switches it off
  // with endaction 1 (which the shoot operations set); angles are degrees, 0 up, clockwise.
  void sprite_enginemove(double sprite, double xdir, double ydir, double xmin, double ymin, double xmax, double ymax,
                         double length = 0);
  void sprite_engineshoot(double sprite, double angle, double velocity, double xmin, double ymin, double xmax,
                          double ymax, double length = 0);
  void sprite_engineshootsprite(double sprite, double spritetoshoot, double velocity, double xmin, double ymin,
                                double xmax, double ymax, double length = 0);
  // Moves and turns back at the bounds.
  void sprite_enginepong(double sprite, double xdir, double ydir, double xmin, double ymin, double xmax, double ymax,
                         double length = 0);
  // Moves and reappears at the opposite bound.
  void sprite_enginewrap(double sprite, double xdir, double ydir, double xmin, double ymin, double xmax, double ymax,
                         double length = 0);
  // Moves and re-enters at the opposite bound, at a random place across unless `wrap` is set.
  void sprite_enginemoveyrepeat(double sprite, double xdir, double ydir, double xmin, double ymin, double xmax,
                                double ymax, double wrap = 0);
  void sprite_enginemovexrepeat(double sprite, double xdir, double ydir, double xmin, double ymin, double xmax,
                                double ymax, double wrap = 0);
  // Runs round the rectangle: clockwise from its top-left corner, else counter-clockwise from the bottom right.
  void sprite_engineframemove(double sprite, double xspeed, double yspeed, double xmin, double ymin, double xmax,
                              double ymax, bool starttopleft = false, double length = 0);
  // Heads for (x, Y) at `velocity` and stops there.
  void sprite_enginemovetoxy(double sprite, double x, double Y, double velocity);
  // Jumps about its place by `velocity` pixels every `speed` units.
  void sprite_engineshake(double sprite, double velocity, double speed, double length = 0);

  // Accelerating: thrust, drops that land with an animation and a sound, billboards that fly
  // in, wait `targetdelay` units (-1 for good) and fly out, bounces.
  void sprite_enginethrust(double sprite, double startxthrust, double startythrust, double thrustxspeed,
                           double thrustyspeed, double xmin, double ymin, double xmax, double ymax, double length = 0);
  void sprite_engineydrop(double sprite, double startxthrust, double startythrust, double thrustxspeed,
                          double thrustyspeed, double ymin, double ymax, double newanimindex, double newanimspeed,
                          double soundindex = 0);
  void sprite_enginexdrop(double sprite, double startxthrust, double startythrust, double thrustxspeed,
                          double thrustyspeed, double xmin, double xmax, double newanimindex, double newanimspeed,
                          double soundindex = 0);
  void sprite_enginebillboardx(double sprite, double startxthrust, double startythrust, double thrustxspeed,
                               double thrustyspeed, double xtarget, double targetdelay, double xmin, double xmax);
  void sprite_enginebillboardy(double sprite, double startxthrust, double startythrust, double thrustxspeed,
                               double thrustyspeed, double ytarget, double targetdelay, double ymin, double ymax);
  // Thrust that bounces off ymin/ymax (vbounce) or xmin/xmax (hbounce) and is off across the other axis.
  void sprite_enginevbounce(double sprite, double startxthrust, double startythrust, double thrustxspeed,
                            double thrustyspeed, double xmin, double ymin, double xmax, double ymax, double length = 0);
  void sprite_enginehbounce(double sprite, double startxthrust, double startythrust, double thrustxspeed,
                            double thrustyspeed, double xmin, double ymin, double xmax, double ymax, double length = 0);
  // A ball under constant acceleration bouncing on one bound and peaking at the other.
  void sprite_enginebounce(double sprite, double ybounce, double ymin, double ymax, bool bouncedown,
                           double length = 0);
  void sprite_enginebouncex(double sprite, double xbounce, double xmin, double xmax, bool bounceright,
                            double length = 0);

  // Swings and circles; every swing starts at 4.7 radians. Falls at ydir while swinging about
  // its starting x by `diameter` pixels; off outside the bounds.
  void sprite_engineycos(double sprite, double ydir, double diameter, double rotatespeed, double xmin, double ymin,
                         double xmax, double ymax, bool startright = false, double length = 0);
  // Moves at xdir while swinging about its starting y.
  void sprite_enginexsin(double sprite, double xdir, double diameter, double rotatespeed, double xmin, double ymin,
                         double xmax, double ymax, bool startdown = false, double length = 0);
  void sprite_engineycosrepeat(double sprite, double ydir, double diameter, double rotatespeed, double xmin,
                               double ymin, double xmax, double ymax, bool startdown = false, double wrap = 0);
  void sprite_enginexsinrepeat(double sprite, double xdir, double diameter, double rotatespeed, double xmin,
                               double ymin, double xmax, double ymax, bool startright = false, double wrap = 0);
  // Circles its starting place; orbitmove also carries that centre along at (xdir, ydir).
  void sprite_engineorbitstill(double sprite, double diameter, double rotatespeed, bool orbitright = false,
                               double length = 0);
  void sprite_engineorbitmove(double sprite, double diameter, double rotatespeed, double xdir, double ydir,
                              double xmin, double ymin, double xmax, double ymax, bool orbitright = false,
                              double length = 0);
  // Circles another sprite; style 0 a circle, 1 only across, 2 only up and down. The radius grows
  // by `diametergrowth` every `diametergrowthspeed` units.
  void sprite_engineorbit(double sprite, double spritetotrack, double diameter, double rotatespeed, double xoffset,
                          double yoffset, double orbitstyle, bool orbitright, double length, double diametergrowth,
                          double diametergrowthspeed, bool turnoffwhentrackedisoff);
  // Crosses between xmin and xmax while swinging up and down about a centre that heads for ytarget.
  void sprite_enginebossmove1(double sprite, double xdir, double yspeed, double diameter, double rotatespeed,
                              double xmin, double ymin, double xmax, double ymax, double ytarget,
                              bool startright = false);

  // Following other sprites, the keys and the mouse.
  void sprite_enginetrack(double sprite, double spritetotrack, double xdir, double ydir, double length = 0);
  // Tracking with inertia: speeds grow by htrack and vtrack a unit up to their maximums.
  void sprite_enginetracki(double sprite, double spritetotrack, double htrack, double htrack_max, double vtrack,
                           double vtrack_max, double length = 0);
  // Rides on another sprite at an offset; off with it.
  void sprite_enginelatch(double sprite, double spritetolatchonto, double xoffset, double yoffset, double length = 0);
  // Moves by the held keys (key codes) inside the bounds.
  void sprite_enginekeymove(double sprite, double xdir, double ydir, double keyleft, double keyup, double keyright,
                            double keydown, double xmin, double ymin, double xmax, double ymax);
  // Follows the cursor at an offset.
  void sprite_enginemouse(double sprite, double xoffset, double yoffset, double xmin, double ymin, double xmax,
                          double ymax);
  // A button of three frames in a column: 0 idle, 1 under the cursor, 2 pressed.
  void sprite_enginebutton(double sprite, double x, double Y, double textureindex, double sourcex, double sourcey,
                           double framewidth, double frameheight);

  // ---- Frame animation and offsets: the animation and path tables, animation modes, path walks ---
  // Animation `animindex` from text: `animlength` column-row pairs and as many textures.
  bool sprite_animateset(double animindex, double srcx, double srcy, double framewidth, double frameheight,
                         double animlength, const std::string& frame_parameters,
                         const std::string& texture_parameters);
  // The whole animation table from a data file in the data folder, textures moved by the offset.
  bool sprite_animatefileinit(const std::string& filenameonly, double textureindexoffset = 0);
  // Play modes: 1 loop, 2 once then off without collisions, 3 once then loop another, 4 once,
  // 6 once then off, 7 once then back to the direction animations.
  void sprite_animateloop(double sprite, double animindex, double animspeed);
  void sprite_animatecollide(double sprite, double animindex, double animspeed);
  void sprite_animatehit(double sprite, double animindex, double animspeed, double newanimindex,
                         double newanimspeed);
  void sprite_animateonce(double sprite, double animindex, double animspeed);
  void sprite_animateonceturnoff(double sprite, double animindex, double animspeed);
  void sprite_animatehitdir(double sprite, double animindex, double animspeed);
  // Mode 5: an animation and speed for each direction 0..8 ("index,speed," nine times).
  bool sprite_animatedirection(double sprite, double startingdirection, const std::string& directionlist);
  void sprite_animateoff(double sprite);
  void sprite_animatesetframe(double sprite, double textureindex, double sourcex, double sourcey, double framewidth,
                              double frameheight, double xframe, double yframe);
  void sprite_animatesetframeindex(double sprite, double xframe, double yframe);
  // The running animation; 0 when none runs.
  double sprite_animategetanim(double sprite);
  // Frame cell into retx, rety; frame size into retx, rety.
  void sprite_animategetframeindex(double sprite);
  void sprite_animategetframesize(double sprite);
  double sprite_animategetframewidth(double sprite);
  double sprite_animategetframeheight(double sprite);
  // Path `offsetindex` from `lengthtotal` x-y pairs of text, or from a path file when one is named.
  bool sprite_offsetset(double offsetindex, double lengthtotal, const std::string& parameters,
                        const std::string& filename);
  bool sprite_offsetfileinit(const std::string& filenameonly);
  // Walks the path one point every `offsetspeed` units: type 0 steps, type 1 places beside
  // `offsetsprite`; at the end style 0 switches off, 1 stops, 2 repeats, 3 repeats for
  // `offsetlength` units.
  void sprite_engineoffset(double sprite, double offsetindex, double offsetspeed, double offsettype,
                           double offsetstyle, double offsetsprite = 0, double offsetlength = 0,
                           double startingpoint = 0);

  // ---- Per-frame pass: delays, behaviours, animation, effects, then drawing, in z-order ---------
  // Never throws: a bad index in a sprite's own data ends that part of its turn for good (logged
  // once) and the pass goes on.
  void sprites_draw();

  // ---- Effects: scale, rotation and alpha running by themselves --------------------------------
  // A starting value above -1 replaces the current one; step per unit, limits, duration, style 0..8.
  void sprite_enginesetscaling(double sprite, double startingscale, double startingdir, double min, double max,
                               double length, double style);
  // Limits held to 0..719; styles 0..8 (9 and 10 by the two operations below).
  void sprite_enginesetrotating(double sprite, double startingrotate, double startingdir, double min, double max,
                                double length, double style);
  // Limits held to 0..255; styles 0..8.
  void sprite_enginesetalphafading(double sprite, double startingalpha, double startingdir, double min, double max,
                                   double length, double style);
  void sprite_enginerotatetosprite(double sprite, double spritetorotateto);
  void sprite_enginerotatetodirection(double sprite);
  // Tints the sprite and lets each channel return to 255 by `speed` a unit.
  void sprite_enginesetalphaflash(double sprite, double r, double g, double b, double speed);
  // Fades in from 0 by `speed`, holds `holdtime` units, fades out and switches off.
  void sprite_enginefadeonfadeoff(double sprite, double speed, double holdtime);
  bool sprite_engineisscaling(double sprite);
  bool sprite_engineisrotating(double sprite);
  bool sprite_engineisalphafading(double sprite);

  // ---- Collision: boxes, circles, sprites against sprites, the cursor ---------------------------
  bool lib_collide(double x1, double y1, double width, double height, double x2, double y2, double width2,
                   double height2);
  // True when the two rectangles (right and bottom edges outside) intersect.
  bool lib_collideapi(const varnel2d::edge_rect& rect1, const varnel2d::edge_rect& rect2);
  bool lib_collidecircle(double x1, double y1, double radius1, double x2, double y2, double radius2);
  // The first sprite of the range whose box or circle overlaps the sprite's; 0 if none. The range may hold the
  // sprite itself. The plain box spans (x, y) .. (x + width, y + height), right for sprites placed by their
  // top-left corner; for centred sprites use the origin form, whose box offsets count from the frame's corner.
  double sprite_collidebox(double sprite, double startsprite, double endsprite);
  double sprite_collideboxorigin(double sprite, double startsprite, double endsprite);
  double sprite_collidecircle(double sprite, double startsprite, double endsprite);
  // hits[n] := 1 when sprite n of the range overlaps the sprite, else 0; hits is indexed by sprite number.
  void sprite_collideboxoriginarray(double sprite, double startsprite, double endsprite, std::span<uint8_t> hits);
  void sprite_collidecirclearray(double sprite, double startsprite, double endsprite, std::span<uint8_t> hits);
  bool sprite_collideoverarea(double sprite, double x, double y, double width, double height);
  bool mouse_overarea(double x, double y, double width, double height);
  // The highest-numbered sprite under the cursor (world coordinates); 0 if none.
  double mouse_oversprite();

 private:
  int16_t private_get_move_direction(double sprite);
  int16_t private_get_direction_to_sprite(double sprite1, double sprite2);
  // Behaviour, animation and effects of one sprite for this frame, `part` telling which runs; false
  // when its turn ended without drawing.
  bool private_sprite_update(varnel2d::sprite_record& sprite, int32_t number, varnel2d::turn_part& part);
  // Ends the part of the sprite's turn that found a bad index in the sprite's own data.
  void private_sprite_part_failed(varnel2d::sprite_record& sprite, int32_t number, varnel2d::turn_part part,
                                  const char* fault);
  // Effects of one sprite for this frame; false when a style switched it off.
  bool private_sprite_effects(varnel2d::sprite_record& sprite);
  void private_sprite_draw(const varnel2d::sprite_record& sprite);
  // Logs the error and its detail line and returns false.
  bool private_definition_failed(const std::string& operation, const std::string& detail);

 public:
  // ==== End of sprites ========================================================================

  // ==== Engine extras (tile maps, packing, compression, starfield and tiles, high scores) ======
  // ---- Tile maps: geometry, cells with effects, buffers, the camera, drawing ------------------------
  // Tiles on a grid with one-pixel gaps; a tile size or map size below 1 does nothing.
  void map_init(double tile_width, double tile_height, double mapwidth, double mapheight, double maptextureswidth,
                double maptexturesheight, double sourcetilesacross, double sourcetilesdown, double howmanymaptextures,
                double howmanyindexes);
  void map_buffertomap(double Index);
  void map_maptobuffer(double Index);
  void map_putbuffer(double Index, double x, double Y, double value);
  double map_getbuffer(double Index, double x, double Y);
  // Sets a cell's tile, alpha and rotation; scale 1, effects off. Outside the map nothing happens.
  void map_put(double x, double Y, double value, double alpha, double rotation);
  double map_get(double x, double Y);
  // The same at a point in map pixels, screen pixels, at the cursor, or at a sprite's position.
  void map_putatxy(double x, double Y, double value, double alpha, double rotation);
  double map_getatxy(double x, double Y);
  void map_putatscreenxy(double x, double Y, double value, double alpha, double rotation);
  double map_getatscreenxy(double x, double Y);
  void map_putatmouse(double value, double alpha, double rotation);
  double map_getatmouse();
  void map_putatsprite(double sprite, double value, double xoffset, double yoffset);
  double map_getatsprite(double sprite, double xoffset, double yoffset);
  // The cell (or its top-left map pixel) under a sprite point into retx, rety; -1, -1 outside the map.
  void map_getspritetoxy(double sprite, double xoffset, double yoffset);
  void map_getspritetoxypixel(double sprite, double xoffset, double yoffset);
  // The cell (or its top-left map pixel) under the cursor into retx, rety, unchecked.
  void map_getmousetoxy();
  void map_getmousetoxypixel();
  double map_getalpha(double x, double Y);
  double map_getrotation(double x, double Y);
  double map_getscale(double x, double Y);
  bool map_getalphafading(double x, double Y);
  bool map_getrotating(double x, double Y);
  bool map_getscaling(double x, double Y);
  // Cell effects with the sprite styles 0..8; a style that would switch a sprite off empties the cell.
  // Alpha limits held to 0..255; scale limits to 0..1; rotation limits to 0..719, -1 keeps the rotation.
  void map_setalphafading(double x, double Y, double startingalpha, double startingdir, double min, double max,
                          double length, double style);
  void map_setrotating(double x, double Y, double startingrotate, double startingdir, double min, double max,
                       double length, double style);
  void map_setscaling(double x, double Y, double startingscale, double startingdir, double min, double max,
                      double length, double style);
  // Steps the tile index from startvalue towards endvalue.
  void map_setanimating(double x, double Y, double startingdir, double startvalue, double endvalue, double length,
                        double style);
  void map_setrotatetosprite(double x, double Y, double sprite);
  void map_setalphaonall(double alpha);
  void map_setrotateonall(double rotate);
  void map_setscaleonall(double scaled);
  void map_resetfxall();
  // Places or moves the camera (mapx, mapy), held inside the map; reports the edges it stopped at.
  varnel2d::map_edge_hits map_setxy(double xpos, double ypos);
  varnel2d::map_edge_hits map_moveby(double xvalue, double yvalue);
  // The camera follows the sprite from the next draw; 0 stops following.
  void map_setcameraonsprite(double sprite);
  // The visible cells without effects; with effects advanced and drawn.
  void map_drawfast();
  void map_draw();
  double map_getwidth();
  double map_getheight();
  double map_getpixelwidth();
  double map_getpixelheight();
  double map_gethowmanyindexes();
  double map_gethowmanytextures();
  double map_getsourcetexturewidth();
  double map_getsourcetextureheight();
  double map_getsourcetilewidth();
  double map_getsourcetileheight();
  double map_getsourcetilesacross();
  double map_getsourcetilesdown();

  // ---- Map files --------------------------------------------------------------------------------
  // Reads a map file (and with loadtextures its textures, into texture slots 1..T); with
  // returnscreenresonly only its screen size into retx, rety. A bad file is refused and the map stays.
  bool map_initmapfile(const std::string& filenameonly, bool usefullpath, bool loadtextures,
                       bool usefullpathfortextures, bool returnscreenresonly, uint32_t ColorKey);
  // Writes the geometry, the names of textures 1..howmanytexturefiles and every buffer.
  bool map_savebufferasmapfile(const std::string& fullfilepath, double howmanytexturefiles);

  // ---- File packing: an index file and a data file; unpacked files go at shutdown ---------------
  bool lib_filepack(std::span<const std::string> filearray, const std::string& destinationfullfilepath);
  // Extracts every file of the pack into the data folder; a bad index writes nothing.
  bool lib_fileunpack(const std::string& filenameonly);

  // ---- Compression: a 4-byte size and a zlib stream ----------------------------------------------
  // quality has no effect: the level is always 9.
  bool lib_filecompress(const std::string& sourcefullfilepath, const std::string& destinationfullfilepath,
                        std::optional<double> quality = std::nullopt);
  bool lib_fileuncompress(const std::string& sourcefullfilepath, const std::string& destinationfullfilepath);

  // ---- Starfield, tilers and effect tiles -------------------------------------------------------
  void starfield_init(double textureindex, double srcx, double srcy, double srcwidth, double srcheight,
                      double howmanyframes, double total, double xmin, double ymin, double xmax, double ymax);
  // x, Y, frame and speed of -1 or less keep the star's own.
  void starfield_set(double Index, double alpha, double scaled, double rotationdir, double x, double Y, double frame,
                     double speed);
  void starfield_draw(double xdir, double ydir);
  // Tilers 1..64: a rectangle filled with a repeated tile that scrolls.
  void tiler_config(double Index, double textureindex, double tilex, double tiley, double tilewidth,
                    double tileheight, double destx, double desty, double destwidth, double destheight, double alpha);
  void tiler_draw(double Index, double xdir, double ydir);
  void tiler_setalpha(double Index, double alpha);
  double tiler_getalpha(double Index);
  // Effect tiles 1..64: free images centred on (x, y) in screen pixels (subtract mapx, mapy to pin one to
  // the map), with the sprite effects and a shadow.
  void fxtile_config(double Index, double xpos, double ypos, double textureindex, double sourcex, double sourcey,
                     double sourcewidth, double sourceheight, double alpha, double scaled, double rotation);
  void fxtile_setxy(double Index, double x, double Y);
  void fxtile_setscaling(double Index, double startingscale, double startingdir, double min, double max,
                         double length, double style);
  void fxtile_setalphafading(double Index, double startingalpha, double startingdir, double min, double max,
                             double length, double style);
  void fxtile_setrotating(double Index, double startingrotate, double startingdir, double min, double max,
                          double length, double style);
  void fxtile_setshadow(double Index, double alpha, double xoffset, double yoffset, bool state = false);
  void fxtile_draw(double Index);

  // ---- High scores: places 1..10 (0 is the spare slot) --------------------------------------------
  // The place 1..10 the score entered at as "Guest", or 0.
  double lib_highscorecheck(double newscore);
  // Score capped at 9999999, name cut to 20 characters.
  void lib_highscoreset(double Index, double newscore, const std::string& newname);
  std::string lib_highscoregetname(double Index);
  double lib_highscoregetscore(double Index);
  // Errors log four lines and return false.
  bool lib_highscoreread(const std::string& fullfilepath);
  bool lib_highscorewrite(const std::string& fullfilepath);

 private:
  // The live sprite `sprite` names, or nullptr.
  const varnel2d::sprite_record* private_map_sprite(double sprite) const;
  // A cell under a point in map pixels, or nullptr.
  varnel2d::map_cell* private_map_cell_at(double x, double Y);
  // A geometry a map can be built on, its tiles within the display's largest texture.
  bool private_map_geometry_fits(const varnel2d::map_geometry& geometry);
  // Advances one visible cell's effects; false when one of them emptied the cell.
  bool private_map_cell_effects(varnel2d::map_cell& cell, int32_t column, int32_t row);
  // Follows the camera sprite, then calls draw_cell for every visible cell with its screen corner.
  template <typename DrawCell>
  void private_map_visit(DrawCell draw_cell);
  void private_high_score_error(const char* operation, const varnel2d::file_error& error);

 public:
  // ==== End of engine extras ==================================================================

  // ==== Music and sound (the audio family's section; init and terminate call the two hooks) =====
 public:
  // Loads a standard MIDI or RIFF MIDI (".rmi") file into music slot indx (1..64); a missing or
  // invalid file, a bad index or no music returns false and leaves the slot as it was.
  bool music_load(double indx, const std::string& filenameonly, bool usefullpath = false);
  // Stops the music, then plays slot indx once, or repeated 1000 times with loopflag.
  void music_play(double indx, bool loopflag = false);
  void music_stop();
  // True while the piece last played has not ended.
  bool music_isplaying();
  // Master level: 0..100 % mapped linearly in decibels, -25 dB at 0 %, -3.4 dB at 80 %, +2 dB at 100 %.
  void music_volume(double volumepercent);
  // Loads a wave file into sound slot indx (1..64); a failure logs four lines and returns false.
  bool sound_load(double indx, const std::string& filenameonly);
  // Restarts the sound from position bytes into its data, once or looping over the whole sound.
  void sound_play(double indx, bool loopflag = false, double position = 0);
  void sound_stop(double indx);
  // Hundredths of a decibel: 0 full, -10000 silent.
  void sound_volume(double indx, double volume);
  // Playback rate in hertz; with resetflag the file's own rate.
  void sound_freq(double indx, double freq, bool resetflag);
  // Hundredths of a decibel taken off the other side: -10000 left only .. 10000 right only.
  void sound_pan(double indx, double pan);

 private:
  bool private_audio_start();  // opens sound and music; sets the two flags below
  void private_audio_stop();   // stops the output, then releases music and sounds
  // The slot of an engine index 1..64, or nothing outside that range.
  static std::optional<size_t> private_audio_slot(double indx);
  // ==== End of music and sound ================================================================

 private:
  // Start-up steps.
  bool private_create_device();
  void private_warmup_frames();
  void private_build_angle_table();
  void private_build_direction_table();
  void private_release_directx();
  void private_delete_unpacked_files();
  // Textures.
  bool private_reload_textures();
  // The one quad-drawing path: slot `textureindex` 1..200; outside or empty draws nothing.
  void private_draw(double textureindex, varnel2d::sprite_quad quad);
  // Frame cycle.
  bool private_rebuild_device();
  // The engine clock's 64-bit time in milliseconds; lib_tickcount is its low 32 bits.
  int64_t private_now();
  // Returns once `ms` have passed since `mark` (a time of private_now).
  void private_wait_since(int64_t mark, double ms);
  void private_draw_cursor();
  void private_draw_stats();
  // Live sprites for the statistics line; 0 until the sprite family counts them.
  int32_t private_stats_sprite_count();
  // Input.
  bool private_init_input();
  void private_poll_mouse();
  void private_poll_gamepads();
  void private_poll_key_presses();
  void private_release_input();


  std::unique_ptr<varnel2d::engine_state> state_;
};
