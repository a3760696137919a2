/* A plain C99 program against the installed libtufu: the main calls of the
 * interface, checked against the answers of tufu-cli. */
#include <math.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <tufu/tufu.h>

static int failures = 0;

#define CHECK(cond)                                                   \
  do {                                                                \
    if (!(cond)) {                                                    \
      fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
      ++failures;                                                     \
    }                                                                 \
  } while (0)

/* The text of one field of one sheet, in a UTF-8 record. */
static const char *field(const tufu_names *names, int which, tufu_sheet s, char *buf,
                         size_t width) {
  tufu_text_column out = {buf, width, TUFU_UTF8};
  tufu_status st = -1;
  buf[width] = '\0';
  tufu_sheet_texts(names, which, 1, &s, &out, &st);
  return st == TUFU_OK ? buf : "<error>";
}

static tufu_sheet number(int edition, const char *text, tufu_status *st) {
  const char *texts[1];
  tufu_text_column in = {NULL, 0, TUFU_POINTERS};
  tufu_sheet s;
  texts[0] = text;
  in.data = (void *)texts;
  tufu_recognize(edition, 1, &in, &s, st, NULL, NULL);
  return s;
}

static int counted(void *user, int64_t first, const tufu_sheet *sheets, size_t n) {
  int64_t *count = (int64_t *)user;
  (void)sheets;
  if (first != *count) return 1;
  *count += (int64_t)n;
  return 0;
}

/* Two threads on the same inputs must give the same sheets. */
#define POINTS 200000
static double lons[POINTS], lats[POINTS];
static void *worker(void *arg) {
  tufu_sheet *out = (tufu_sheet *)arg;
  tufu_sheet_at(TUFU_2012, TUFU_SCALE_500, POINTS, lons, lats, out, NULL);
  return NULL;
}

int main(int argc, char **argv) {
  char buf[256], rec[64];
  tufu_scale_info info;
  tufu_status st, sts[2];
  tufu_sheet s, out[2], ring[9], up[TUFU_CONTAINING_MAX];
  tufu_block b;
  double lon[2], lat[2], bounds[4];
  int64_t count = 0;
  size_t i, n;

  /* Version. */
  CHECK(strcmp(tufu_version(), TUFU_VERSION_STRING) == 0);
  CHECK(tufu_version_number() == TUFU_VERSION_NUMBER);

  /* The scale table. */
  CHECK(tufu_scale_count(TUFU_1992) == 9 && tufu_scale_count(TUFU_2012) == 12);
  CHECK(tufu_scale_count(2000) == 0);
  CHECK(tufu_scale_get(TUFU_SCALE_50K, &info) == TUFU_OK);
  CHECK(strcmp(info.label, "1:5万") == 0 && info.denominator == 50000 && info.code == 'E');
  CHECK(strcmp(info.lonsize, "15′") == 0 && strcmp(info.latsize, "10′") == 0);
  CHECK(info.width_units == 15 * 60 * 40 && info.since == 1992);
  CHECK(strcmp(info.suffix, "5w") == 0);
  CHECK(strcmp(tufu_annotate_column(TUFU_SCALE_50K, TUFU_FIELD_NEW), "new_5w") == 0);
  CHECK(strcmp(tufu_annotate_column(TUFU_SCALE_25K, TUFU_FIELD_OLD), "old_25k") == 0);
  CHECK(tufu_annotate_column(TUFU_SCALE_200K, TUFU_FIELD_NEW) == NULL);
  CHECK(strcmp(tufu_annotate_column(TUFU_SCALE_200K, TUFU_FIELD_OLD), "old_20w") == 0);
  CHECK(tufu_annotate_column(TUFU_SCALE_500, TUFU_FIELD_OLD) == NULL);
  CHECK(tufu_annotate_column(12, TUFU_FIELD_NEW) == NULL);
  CHECK(tufu_annotate_column(TUFU_SCALE_50K, TUFU_FIELD_NAME) == NULL);
  CHECK(tufu_scale_get(TUFU_SCALE_25K, &info) == TUFU_OK && strcmp(info.suffix, "25k") == 0);
  CHECK(tufu_scale_get(TUFU_SCALE_500, &info) == TUFU_OK && strcmp(info.suffix, "500") == 0);
  CHECK(tufu_scale_get(12, &info) == TUFU_E_SCALE && tufu_scale_get(0, NULL) == TUFU_E_ARGUMENT);
  CHECK(tufu_scale_parse(TUFU_1992, "5万", strlen("5万")) == TUFU_SCALE_50K);
  CHECK(tufu_scale_parse(TUFU_1992, "1:500", 5) == -1);
  CHECK(tufu_scale_parse(TUFU_2012, "1:500", 5) == TUFU_SCALE_500);

  /* A point: tufu-cli point 116,23,30 39,54,30 --scale 1:5万
   * → J50E001010 J-50-5-B 经度116°15′-116°30′ 纬度39°50′-40°0′. */
  lon[0] = 116 + 23 / 60.0 + 30 / 3600.0;
  lat[0] = 39 + 54 / 60.0 + 30 / 3600.0;
  lon[1] = 116.25; /* on the 116°15′ meridian: the sheet east of it */
  lat[1] = 40.0;   /* on the 40° parallel: the sheet north of it */
  CHECK(tufu_sheet_at(TUFU_1992, TUFU_SCALE_50K, 2, lon, lat, out, sts) == 2);
  CHECK(strcmp(field(NULL, TUFU_FIELD_NEW, out[0], rec, 16), "J50E001010") == 0);
  CHECK(strcmp(field(NULL, TUFU_FIELD_OLD, out[0], rec, 16), "J-50-5-B") == 0);
  CHECK(strcmp(field(NULL, TUFU_FIELD_WEST, out[0], rec, 32), "116°15′") == 0);
  CHECK(strcmp(field(NULL, TUFU_FIELD_NORTH, out[0], rec, 32), "40°0′") == 0);
  CHECK(strcmp(field(NULL, TUFU_FIELD_NEW, out[1], rec, 16), "K50E024010") == 0);
  CHECK(tufu_sheet_bounds(1, &out[0], bounds, NULL) == 1);
  CHECK(bounds[0] == 116.25 && bounds[2] == 116.5 && bounds[3] == 40.0);
  /* Too small a record: refused element, nothing cut. */
  CHECK(strcmp(field(NULL, TUFU_FIELD_NEW, out[0], rec, 5), "<error>") == 0);

  /* Bad points. */
  lon[0] = NAN;
  lat[0] = 30;
  lon[1] = 116;
  lat[1] = 60.000001;
  CHECK(tufu_sheet_at(TUFU_1992, TUFU_SCALE_1M, 2, lon, lat, out, sts) == 0);
  CHECK(sts[0] == TUFU_E_LONGITUDE && sts[1] == TUFU_E_LATITUDE);
  CHECK(strcmp(tufu_status_message(sts[0]), "经度应为0至180度的度,分,秒或十进制度") == 0);
  CHECK(tufu_sheet_at(TUFU_1992, TUFU_SCALE_2K, 2, lon, lat, out, sts) == 0 && sts[0] == TUFU_E_SCALE);

  /* Angle texts, as tufu-cli reads them. */
  {
    const char *lt[2] = {"116,23,30", "116.5x"}, *la[2] = {"39°54′30″", "30"};
    tufu_text_column lc = {NULL, 0, TUFU_POINTERS}, ac = {NULL, 0, TUFU_POINTERS};
    lc.data = (void *)lt;
    ac.data = (void *)la;
    CHECK(tufu_sheet_at_text(TUFU_1992, TUFU_SCALE_50K, 2, &lc, &ac, out, sts) == 1);
    CHECK(strcmp(field(NULL, TUFU_FIELD_NEW, out[0], rec, 16), "J50E001010") == 0);
    CHECK(sts[1] == TUFU_E_LONGITUDE);
  }

  /* Many columns in one pass: each as tufu_sheet_at_texts writes it; a bad
   * column is refused alone, and a bad point empties every column.
   * tufu-cli annotate --scale 5万,20万 on 116,23,30 39,54,30 and 200,1. */
  {
    double plon[3] = {116 + 23 / 60.0 + 30 / 3600.0, 200, 116.25};
    double plat[3] = {39 + 54 / 60.0 + 30 / 3600.0, 1, 40.0};
    const int cs[5] = {TUFU_SCALE_50K, TUFU_SCALE_50K, TUFU_SCALE_200K, TUFU_SCALE_200K, TUFU_SCALE_2K};
    const int cf[5] = {TUFU_FIELD_OLD, TUFU_FIELD_NEW, TUFU_FIELD_NEW, TUFU_FIELD_OLD, TUFU_FIELD_NEW};
    char cells[5][3][16];
    uint32_t wide[3][15];
    tufu_text_column cols[5];
    tufu_status cst[5 * 3];
    int j;
    for (j = 0; j < 5; ++j) {
      cols[j].data = cells[j];
      cols[j].width = 16;
      cols[j].encoding = TUFU_UTF8;
    }
    memset(cells, 'x', sizeof cells);
    CHECK(tufu_sheet_at_columns(NULL, TUFU_1992, 5, cs, cf, 3, plon, plat, cols, cst) == 8);
    CHECK(strcmp(cells[0][0], "J-50-5-B") == 0 && strcmp(cells[1][0], "J50E001010") == 0);
    CHECK(strcmp(cells[2][0], "") == 0 && cst[2 * 3] == TUFU_OK); /* 1:20万 shows no new number */
    CHECK(strcmp(cells[3][0], "J-50-III") == 0);
    CHECK(strcmp(cells[1][2], "K50E024010") == 0 && strcmp(cells[0][2], "K-50-137-D") == 0);
    for (j = 0; j < 4; ++j) CHECK(cells[j][1][0] == '\0' && cst[j * 3 + 1] == TUFU_E_LONGITUDE);
    for (j = 0; j < 3; ++j) CHECK(cst[4 * 3 + j] == TUFU_E_SCALE && cells[4][j][0] == '\0');
    /* The same as tufu_sheet_at_texts, record for record, in UTF-32 too. */
    cols[0].data = wide;
    cols[0].width = 15;
    cols[0].encoding = TUFU_UTF32;
    CHECK(tufu_sheet_at_columns(NULL, TUFU_1992, 1, cs, cf, 3, plon, plat, cols, NULL) == 2);
    CHECK(wide[0][0] == 'J' && wide[0][7] == 'B' && wide[0][8] == 0 && wide[0][14] == 0);
    cols[0].data = cells[0];
    cols[0].width = 8; /* "K-50-137-D" needs 10 */
    cols[0].encoding = TUFU_UTF8;
    CHECK(tufu_sheet_at_columns(NULL, TUFU_1992, 1, cs, cf, 3, plon, plat, cols, cst) == 1);
    CHECK(cst[0] == TUFU_OK && cst[2] == TUFU_E_TOOSMALL);
    CHECK(tufu_sheet_at_columns(NULL, 2000, 1, cs, cf, 3, plon, plat, cols, cst) == 0 &&
          cst[0] == TUFU_E_EDITION);
    CHECK(tufu_sheet_at_columns(NULL, TUFU_1992, 1, NULL, cf, 3, plon, plat, cols, cst) == 0 &&
          cst[2] == TUFU_E_ARGUMENT);
  }

  /* Numbers in either numbering. */
  s = number(TUFU_1992, "i-48-xxxv", &st);
  CHECK(st == TUFU_OK && s.scale == TUFU_SCALE_200K);
  CHECK(strcmp(field(NULL, TUFU_FIELD_NEW, s, rec, 16), "") == 0);
  CHECK(strcmp(field(NULL, TUFU_FIELD_CODE, s, rec, 16), "I48I006005") == 0);
  s = number(TUFU_1992, "J50", &st);
  CHECK(st == TUFU_OK && strcmp(field(NULL, TUFU_FIELD_NAME, s, rec, 60), "北京") == 0);
  s = number(TUFU_1992, "J50C00100", &st);
  CHECK(st == TUFU_E_NEW_LENGTH && s.scale == -1);
  n = tufu_reason(TUFU_1992, "J50C00100", 9, buf, sizeof buf);
  CHECK(n == strlen(buf) && strcmp(buf, "新图幅编号应为3位(如J50)或10位(如J50C001002)") == 0);
  CHECK(tufu_reason(TUFU_1992, "J50C001002", 10, buf, sizeof buf) == 0 && buf[0] == '\0');
  n = tufu_reason(TUFU_1992, "J50C00100", 9, buf, 8); /* cut at a character */
  CHECK(n > 8 && strlen(buf) <= 7 && strncmp(buf, "新图", 6) == 0);
  s = number(TUFU_1992, "J50J00010001", &st);
  CHECK(st == TUFU_E_NEW_LENGTH);
  s = number(TUFU_2012, "J50J00010001", &st);
  CHECK(st == TUFU_OK && s.scale == TUFU_SCALE_1K);
  {
    const char *texts[3] = {"L-51-[17]", NULL, "J50Z001001"};
    tufu_text_column in = {NULL, 0, TUFU_POINTERS};
    tufu_sheet got[3];
    tufu_status gs[3];
    int32_t pos[3], kind[3];
    in.data = (void *)texts;
    CHECK(tufu_recognize(TUFU_1992, 3, &in, got, gs, pos, kind) == 0);
    CHECK(gs[0] == TUFU_E_OLD_INDEX && pos[0] == 6 && kind[0] == 2);
    CHECK(gs[1] == TUFU_E_MISSING);
    CHECK(gs[2] == TUFU_E_NEW_CODE && pos[2] == 4 && kind[2] == 1);
  }

  /* Containing sheets and neighbours across a zone border. */
  s = number(TUFU_1992, "J50E001010", &st);
  n = tufu_containing(&s, up, TUFU_CONTAINING_MAX);
  CHECK(n >= 3 && up[n - 1].scale != TUFU_SCALE_50K);
  s = number(TUFU_1992, "J50C001004", &st);
  CHECK(tufu_neighbours(1, &s, ring, NULL, NULL) == 1);
  CHECK(strcmp(field(NULL, TUFU_FIELD_NEW, ring[5], rec, 16), "J51C001001") == 0);
  CHECK(ring[4].x == s.x && ring[4].y == s.y);

  /* Blocks: by bounds, region, sheet; pages and a callback. */
  CHECK(tufu_block_bounds(TUFU_1992, TUFU_SCALE_1M, 114.5, 118, 39, 41.5, &b) == TUFU_OK);
  CHECK(b.rows == 2 && b.cols == 1 && tufu_block_count(&b) == 2);
  CHECK(tufu_block_sheets(&b, 0, out, 2) == 2);
  CHECK(strcmp(field(NULL, TUFU_FIELD_NEW, out[0], rec, 16), "K50") == 0);
  CHECK(strcmp(field(NULL, TUFU_FIELD_NEW, out[1], rec, 16), "J50") == 0);
  CHECK(tufu_block_bounds(TUFU_1992, TUFU_SCALE_1M, 118, 114.5, 39, 41.5, &b) == TUFU_E_EASTWEST);
  CHECK(tufu_block_bounds_text(TUFU_1992, TUFU_SCALE_1M, "114,30", "118", "39", "41,30", &b) ==
        TUFU_OK && b.rows == 2);
  CHECK(tufu_region_count() == 33 && strcmp(tufu_region_name(3), "北京") == 0);
  CHECK(tufu_block_region(TUFU_1992, TUFU_SCALE_1M, "北京", &b) == TUFU_OK && b.rows == 2);
  CHECK(tufu_block_region(TUFU_1992, TUFU_SCALE_1M, "火星", &b) == TUFU_E_REGION);
  CHECK(tufu_region_reason("火星", buf, sizeof buf) > strlen(buf)); /* cut to fit */
  CHECK(strncmp(buf, "没有名为 火星 的地区 (可用 ", strlen("没有名为 火星 的地区 (可用 ")) == 0);
  CHECK(tufu_region_reason("北京", buf, sizeof buf) == 0);
  s = number(TUFU_1992, "J50", &st);
  CHECK(tufu_block_contained(TUFU_1992, &s, TUFU_SCALE_10K, &b) == TUFU_OK);
  CHECK(b.rows == 96 && b.cols == 96);
  s = number(TUFU_1992, "J50C001001", &st);
  CHECK(tufu_block_contained(TUFU_1992, &s, TUFU_SCALE_200K, &b) == TUFU_E_NEST);
  CHECK(tufu_nest_reason(TUFU_1992, &s, TUFU_SCALE_200K, buf, sizeof buf) == strlen(buf));
  CHECK(strcmp(buf, "1:20万的图幅不能整齐地嵌套在1:25万图幅之内") == 0);
  CHECK(tufu_nest_reason(TUFU_1992, &s, TUFU_SCALE_10K, buf, sizeof buf) == 0 && buf[0] == '\0');
  /* Bounds refused with the CLI's words, which name an empty bound. */
  CHECK(tufu_block_bounds_text(TUFU_1992, TUFU_SCALE_1M, "", "118", "39", "41", &b) ==
        TUFU_E_LONGITUDE);
  CHECK(tufu_bounds_reason(TUFU_1992, TUFU_SCALE_1M, "", "118", "39", "41", buf, sizeof buf) > 0);
  CHECK(strcmp(buf, "经度不能为空") == 0);
  CHECK(tufu_bounds_reason(TUFU_1992, TUFU_SCALE_1M, "114", "118", "39", "41", buf, sizeof buf) == 0);
  /* The candidates of the sheets a geometry touches: equal bounds allowed,
     an edge takes in the sheet beyond it. */
  CHECK(tufu_block_touching(TUFU_1992, TUFU_SCALE_1M, 114, 120, 36, 40, &b) == TUFU_OK);
  CHECK(b.rows == 2 && b.cols == 2);
  CHECK(tufu_block_touching(TUFU_1992, TUFU_SCALE_1M, 120, 120, 37, 38, &b) == TUFU_OK);
  CHECK(b.rows == 1 && b.cols == 1 && tufu_block_sheets(&b, 0, out, 1) == 1);
  CHECK(strcmp(field(NULL, TUFU_FIELD_NEW, out[0], rec, 16), "J51") == 0);
  CHECK(tufu_block_touching(TUFU_1992, TUFU_SCALE_1M, 121, 120, 37, 38, &b) == TUFU_E_EASTWEST);
  CHECK(tufu_block_touching(TUFU_1992, TUFU_SCALE_1M, -1, 120, 37, 38, &b) == TUFU_E_LONGITUDE);
  CHECK(tufu_block_bounds(TUFU_1992, TUFU_SCALE_10K, 0, 180, 0, 60, &b) == TUFU_OK);
  CHECK(tufu_block_foreach(&b, 0, counted, &count) == TUFU_OK);
  CHECK(count == tufu_block_count(&b) && count == 2880LL * 1440LL);

  /* Name sets. */
  if (argc > 2) {
    tufu_names *names = tufu_names_new();
    CHECK(names != NULL);
    CHECK(tufu_names_merge(names, argv[1], buf, sizeof buf) == TUFU_OK && buf[0] == '\0');
    s = number(TUFU_1992, "J50", &st);
    CHECK(strcmp(field(names, TUFU_FIELD_NAME, s, rec, 60), "京") == 0);
    CHECK(strcmp(field(NULL, TUFU_FIELD_NAME, s, rec, 60), "北京") == 0);
    CHECK(tufu_names_merge(names, argv[2], buf, sizeof buf) == TUFU_E_NAMEFILE);
    CHECK(strstr(buf, ":2: ") != NULL);
    CHECK(strcmp(field(names, TUFU_FIELD_NAME, s, rec, 60), "京") == 0);
    tufu_names_free(names);
  }
  tufu_names_free(NULL);

  /* Two threads at once. */
  {
    pthread_t t1, t2;
    tufu_sheet *a = malloc(POINTS * sizeof *a), *c = malloc(POINTS * sizeof *c);
    for (i = 0; i < POINTS; ++i) {
      lons[i] = 180.0 * (double)i / POINTS;
      lats[i] = 60.0 * (double)((i * 7919) % POINTS) / POINTS;
    }
    pthread_create(&t1, NULL, worker, a);
    pthread_create(&t2, NULL, worker, c);
    pthread_join(t1, NULL);
    pthread_join(t2, NULL);
    CHECK(memcmp(a, c, POINTS * sizeof *a) == 0);
    free(a);
    free(c);
  }

  if (failures == 0) printf("libtufu %s: all checks passed\n", tufu_version());
  return failures == 0 ? 0 : 1;
}
