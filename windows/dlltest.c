/* tufu.dll as a program on Windows meets it: loaded at run time by its
 * file name (as Python's ctypes and QGIS load it), its functions found by
 * their plain names, and a table of answers checked.  The answers are those
 * of the Linux tufu-cli (`tufu-cli --csv sheet ...`, `tufu-cli --csv point
 * ...`) on the same inputs.
 *
 *   dlltest PATH\tufu.dll FOLDER
 *
 * FOLDER holds 图名.tsv with the line "J50<TAB>京": a name file whose path
 * is not ASCII.  Exit status 0 when every answer is right. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <tufu/tufu.h>

static int failures = 0;

static void expect(const char *what, const char *input, const char *got, const char *want) {
  if (strcmp(got, want) != 0) {
    fprintf(stderr, "%s %s: \"%s\", expected \"%s\"\n", what, input, got, want);
    ++failures;
  }
}

/* The functions, looked up by name. */
static __typeof__(&tufu_version) version;
static __typeof__(&tufu_scale_parse) scale_parse;
static __typeof__(&tufu_recognize) recognize;
static __typeof__(&tufu_reason) reason;
static __typeof__(&tufu_sheet_at_text) sheet_at_text;
static __typeof__(&tufu_sheet_texts) sheet_texts;
static __typeof__(&tufu_names_new) names_new;
static __typeof__(&tufu_names_merge) names_merge;
static __typeof__(&tufu_names_free) names_free;

static int find(HMODULE dll, const char *name, FARPROC *into) {
  *into = GetProcAddress(dll, name);
  if (*into == NULL) fprintf(stderr, "tufu.dll has no function %s\n", name);
  return *into != NULL;
}

/* One field of one sheet. */
static const char *field(const tufu_names *names, int which, tufu_sheet s, char buf[64]) {
  tufu_text_column out = {NULL, 63, TUFU_UTF8};
  tufu_status st = -1;
  out.data = buf;
  buf[63] = '\0';
  sheet_texts(names, which, 1, &s, &out, &st);
  return st == TUFU_OK ? buf : "<error>";
}

static tufu_sheet sheetof(int edition, const char *number, tufu_status *st) {
  const char *texts[1];
  tufu_text_column in = {NULL, 0, TUFU_POINTERS};
  tufu_sheet s;
  texts[0] = number;
  in.data = (void *)texts;
  recognize(edition, 1, &in, &s, st, NULL, NULL);
  return s;
}

struct sheetanswer {
  int edition;
  const char *input, *scale, *new_, *old, *name, *west, *east, *south, *north;
};

static const struct sheetanswer sheets[] = {
    {1992, "J50C001002", "1:25万", "J50C001002", "J-50-[2]", "", "115°30′", "117°0′", "39°0′",
     "40°0′"},
    {1992, "I-48-XXXV", "1:20万", "", "I-48-XXXV", "", "106°0′", "107°0′", "32°0′", "32°40′"},
    {1992, "J50", "1:100万", "J50", "J-50", "北京", "114°", "120°", "36°", "40°"},
    {1992, "K-49", "1:100万", "K49", "K-49", "呼和浩特", "108°", "114°", "40°", "44°"},
    {1992, "D-45-48-(26)-C", "1:5000", "D45H056179", "D-45-48-(26)-C", "", "89°33′45″",
     "89°35′37.5″", "14°50′0″", "14°51′15″"},
    {1992, "J50E001010", "1:5万", "J50E001010", "J-50-5-B", "", "116°15′", "116°30′", "39°50′",
     "40°0′"},
    {2012, "J50K00530919", "1:500", "J50K00530919", "", "", "116°23′26.25″", "116°23′35.625″",
     "39°54′28.75″", "39°54′35″"},
    {2012, "J50I006006", "1:2000", "J50I006006", "", "", "114°3′7.5″", "114°3′45″",
     "39°57′30″", "39°57′55″"},
};

struct pointanswer {
  int edition;
  const char *lon, *lat, *scale, *new_, *old;
};

static const struct pointanswer points[] = {
    {1992, "116,23,30", "39,54,27", "5万", "J50E001010", "J-50-5-B"},
    {1992, "116°23′30″", "39.9", "1:100万", "J50", "J-50"},
    {2012, "116°23′30″", "39.9", "1:500", "J50K00580919", ""},
    {1992, "116.25", "40", "1:5万", "K50E024010", "K-50-137-D"},
};

struct refusal {
  const char *input, *reason;
};

static const struct refusal refused[] = {
    {"J50C00100", "新图幅编号应为3位(如J50)或10位(如J50C001002)"},
    {"J-50-XXXVII", "第3段应为A至D、1至144、[1]至[16]或I至XXXVI"},
    {"A99", "第2、3位列号应在31至60之间"},
};

int main(int argc, char **argv) {
  HMODULE dll;
  char buf[64], path[MAX_PATH * 3], why[256];
  size_t i;
  int found = 1;
  if (argc != 3) {
    fprintf(stderr, "usage: dlltest PATH\\tufu.dll FOLDER\n");
    return 2;
  }
  dll = LoadLibraryA(argv[1]);
  if (dll == NULL) {
    fprintf(stderr, "cannot load %s: error %lu\n", argv[1], GetLastError());
    return 1;
  }
  found &= find(dll, "tufu_version", (FARPROC *)&version);
  found &= find(dll, "tufu_scale_parse", (FARPROC *)&scale_parse);
  found &= find(dll, "tufu_recognize", (FARPROC *)&recognize);
  found &= find(dll, "tufu_reason", (FARPROC *)&reason);
  found &= find(dll, "tufu_sheet_at_text", (FARPROC *)&sheet_at_text);
  found &= find(dll, "tufu_sheet_texts", (FARPROC *)&sheet_texts);
  found &= find(dll, "tufu_names_new", (FARPROC *)&names_new);
  found &= find(dll, "tufu_names_merge", (FARPROC *)&names_merge);
  found &= find(dll, "tufu_names_free", (FARPROC *)&names_free);
  if (!found) return 1;
  expect("version", "", version(), TUFU_VERSION_STRING);

  for (i = 0; i < sizeof sheets / sizeof sheets[0]; ++i) {
    const struct sheetanswer *a = &sheets[i];
    tufu_status st;
    const tufu_sheet s = sheetof(a->edition, a->input, &st);
    if (st != TUFU_OK) {
      fprintf(stderr, "sheet %s: refused (status %d)\n", a->input, (int)st);
      ++failures;
      continue;
    }
    expect("scale of", a->input, field(NULL, TUFU_FIELD_SCALE, s, buf), a->scale);
    expect("new number of", a->input, field(NULL, TUFU_FIELD_NEW, s, buf), a->new_);
    expect("old number of", a->input, field(NULL, TUFU_FIELD_OLD, s, buf), a->old);
    expect("name of", a->input, field(NULL, TUFU_FIELD_NAME, s, buf), a->name);
    expect("west edge of", a->input, field(NULL, TUFU_FIELD_WEST, s, buf), a->west);
    expect("east edge of", a->input, field(NULL, TUFU_FIELD_EAST, s, buf), a->east);
    expect("south edge of", a->input, field(NULL, TUFU_FIELD_SOUTH, s, buf), a->south);
    expect("north edge of", a->input, field(NULL, TUFU_FIELD_NORTH, s, buf), a->north);
  }

  for (i = 0; i < sizeof points / sizeof points[0]; ++i) {
    const struct pointanswer *a = &points[i];
    const char *lon[1], *lat[1];
    tufu_text_column lc = {NULL, 0, TUFU_POINTERS}, ac = {NULL, 0, TUFU_POINTERS};
    tufu_sheet s;
    tufu_status st = -1;
    const int scale = scale_parse(a->edition, a->scale, strlen(a->scale));
    lon[0] = a->lon;
    lat[0] = a->lat;
    lc.data = (void *)lon;
    ac.data = (void *)lat;
    if (scale < 0 || sheet_at_text(a->edition, scale, 1, &lc, &ac, &s, &st) != 1) {
      fprintf(stderr, "point %s %s %s: refused (status %d)\n", a->lon, a->lat, a->scale,
              (int)st);
      ++failures;
      continue;
    }
    expect("new number at", a->lon, field(NULL, TUFU_FIELD_NEW, s, buf), a->new_);
    expect("old number at", a->lon, field(NULL, TUFU_FIELD_OLD, s, buf), a->old);
  }

  for (i = 0; i < sizeof refused / sizeof refused[0]; ++i) {
    reason(1992, refused[i].input, strlen(refused[i].input), why, sizeof why);
    expect("reason for", refused[i].input, why, refused[i].reason);
  }

  /* A name file in a folder and under a name that are not ASCII. */
  {
    tufu_names *names = names_new();
    tufu_status st;
    const tufu_sheet s = sheetof(1992, "J50", &st);
    snprintf(path, sizeof path, "%s\\图名.tsv", argv[2]);
    if (names_merge(names, path, why, sizeof why) != TUFU_OK) {
      fprintf(stderr, "names %s: %s\n", path, why);
      ++failures;
    } else {
      expect("merged name of", "J50", field(names, TUFU_FIELD_NAME, s, buf), "京");
    }
    snprintf(path, sizeof path, "%s\\没有.tsv", argv[2]);
    if (names_merge(names, path, why, sizeof why) == TUFU_OK) {
      fprintf(stderr, "names %s: merged a missing file\n", path);
      ++failures;
    }
    names_free(names);
  }

  FreeLibrary(dll);
  if (failures == 0) printf("tufu.dll %s: all answers right\n", TUFU_VERSION_STRING);
  return failures == 0 ? 0 : 1;
}
