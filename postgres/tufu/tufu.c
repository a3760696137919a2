/*
 * tufu: sheet numbers of China's national basic-scale topographic maps in
 * PostgreSQL.
 *
 * Every answer comes from libtufu (tufu/tufu.h), linked into this module;
 * the functions here only move values between SQL and the library and turn
 * its refusals into errors.  Each one is immutable and safe in parallel
 * workers: the library keeps no state, and the only state here is a
 * function's parsed scale argument, kept in its own FmgrInfo.
 *
 * Conventions
 * - A point outside the numbering's range, and a number a sheet does not
 *   have (the new number of a 1:20万 sheet, the old number of a 1:2000
 *   sheet), is NULL.
 * - A refused sheet number, scale, edition or block raises ERROR with
 *   SQLSTATE 22023 (invalid_parameter_value); the DETAIL carries the
 *   library's Chinese reason.  tufu_sheet_info alone never raises.
 * - Set-returning functions work in value-per-call mode and keep one page
 *   of sheets at a time, so a block of millions of sheets streams; every
 *   call checks for a cancel.
 */
#include "postgres.h"

#include <math.h>
#include <string.h>

#include "access/htup_details.h"
#include "fmgr.h"
#include "funcapi.h"
#include "mb/pg_wchar.h"
#include "miscadmin.h"
#include "utils/builtins.h"

#include "tufu/tufu.h"

PG_MODULE_MAGIC;

/* Room for any one field text of a sheet, with its NUL. */
#define FIELD_ROOM 64
/* The most characters of a refused input quoted in an error message. */
#define QUOTE_CHARS 40
/* Sheets fetched from the library at a time by the block functions. */
#define PAGE 1024
/* Room for a reason text. */
#define REASON_ROOM 512

/* ------------------------------------------------------------ errors */

/*
 * The start of `len` bytes of user input, fit to quote in a message: at
 * most QUOTE_CHARS characters, and nothing at all when the bytes are not
 * valid in the server's encoding (possible in a SQL_ASCII database).
 */
static char *
quoted(const char *p, size_t len)
{
	int			cut;
	char	   *q;

	cut = pg_mbcharcliplen(p, (int) Min(len, (size_t) (QUOTE_CHARS * MAX_MULTIBYTE_CHAR_LEN)),
						   QUOTE_CHARS);
	if (!pg_verifymbstr(p, cut, true))
		return pstrdup("");
	q = palloc(cut + 4);
	memcpy(q, p, cut);
	if ((size_t) cut < len)
		strcpy(q + cut, "...");
	else
		q[cut] = '\0';
	return q;
}

static void
check_edition(int32 edition)
{
	if (tufu_scale_count(edition) == 0)
		ereport(ERROR,
				(errcode(ERRCODE_INVALID_PARAMETER_VALUE),
				 errmsg("invalid tufu edition %d", edition),
				 errdetail("%s", tufu_status_message(TUFU_E_EDITION)),
				 errhint("The editions are 1992 and 2012.")));
}

/* Raises the refusal of sheet number `t`. */
static void
refuse_number(text *t, int32 edition) pg_attribute_noreturn();

static void
refuse_number(text *t, int32 edition)
{
	const char *p = VARDATA_ANY(t);
	size_t		len = VARSIZE_ANY_EXHDR(t);
	char		reason[REASON_ROOM];

	if (tufu_reason(edition, p, len, reason, sizeof reason) == 0)
		strlcpy(reason, tufu_status_message(TUFU_E_NUMBER), sizeof reason);
	ereport(ERROR,
			(errcode(ERRCODE_INVALID_PARAMETER_VALUE),
			 errmsg("invalid sheet number \"%s\"", quoted(p, len)),
			 errdetail("%s", reason)));
}

/* Raises a status of the library that concerns the arguments. */
static void
refuse_status(tufu_status st, const char *what) pg_attribute_noreturn();

static void
refuse_status(tufu_status st, const char *what)
{
	ereport(ERROR,
			(errcode(ERRCODE_INVALID_PARAMETER_VALUE),
			 errmsg("invalid %s", what),
			 errdetail("%s", tufu_status_message(st))));
}

/* ------------------------------------------------------------ scales */

/* The scale argument of a scalar function, parsed once per query. */
typedef struct ScaleCache
{
	int32		edition;
	int			scale;
	size_t		len;
	char		text[32];
} ScaleCache;

/*
 * The scale named by text `t` in the edition, or an error.  With `flinfo`
 * the answer is remembered in its fn_extra (never in a set-returning
 * function, whose fn_extra belongs to the SRF machinery).
 */
static int
scale_of(text *t, int32 edition, FmgrInfo *flinfo)
{
	const char *p = VARDATA_ANY(t);
	size_t		len = VARSIZE_ANY_EXHDR(t);
	ScaleCache *c = flinfo ? (ScaleCache *) flinfo->fn_extra : NULL;
	int			scale;

	if (c && c->edition == edition && c->len == len && memcmp(c->text, p, len) == 0)
		return c->scale;
	check_edition(edition);
	scale = tufu_scale_parse(edition, p, len);
	if (scale < 0)
		ereport(ERROR,
				(errcode(ERRCODE_INVALID_PARAMETER_VALUE),
				 errmsg("invalid tufu scale \"%s\"", quoted(p, len)),
				 errdetail("%s", tufu_status_message(TUFU_E_SCALE)),
				 errhint("Scales are written as \"1:5万\", \"5万\", \"1:50000\" or \"50000\".")));
	if (flinfo && len <= sizeof c->text)
	{
		if (c == NULL)
		{
			c = MemoryContextAlloc(flinfo->fn_mcxt, sizeof *c);
			flinfo->fn_extra = c;
		}
		c->edition = edition;
		c->scale = scale;
		c->len = len;
		memcpy(c->text, p, len);
	}
	return scale;
}

/* ------------------------------------------------------------ sheets */

/* Reads sheet number `t`; false with its status when it is refused. */
static bool
read_number(text *t, int32 edition, tufu_sheet *out, tufu_status *st, int32 *numbering)
{
	tufu_text_column col;

	col.data = VARDATA_ANY(t);
	col.width = VARSIZE_ANY_EXHDR(t);
	col.encoding = TUFU_UTF8;
	return tufu_recognize(edition, 1, &col, out, st, NULL, numbering) == 1;
}

/* The sheet that `t` names, or an error. */
static tufu_sheet
sheet_of(text *t, int32 edition)
{
	tufu_sheet	s;
	tufu_status st;

	check_edition(edition);
	if (!read_number(t, edition, &s, &st, NULL))
		refuse_number(t, edition);
	return s;
}

/* Field `field` of a sheet as text; NULL when the sheet has none. */
static text *
field_of(const tufu_sheet *s, int field)
{
	char		buf[FIELD_ROOM];
	tufu_text_column col;
	tufu_status st;
	size_t		len;

	col.data = buf;
	col.width = sizeof buf;
	col.encoding = TUFU_UTF8;
	if (tufu_sheet_texts(NULL, field, 1, s, &col, &st) != 1)
		return NULL;
	len = strnlen(buf, sizeof buf);
	return len == 0 ? NULL : cstring_to_text_with_len(buf, (int) len);
}

static Datum
text_or_null(text *t, bool *isnull)
{
	*isnull = (t == NULL);
	return t ? PointerGetDatum(t) : (Datum) 0;
}

/* The sheet of the scale that holds a point; false outside the range. */
static bool
sheet_at(PG_FUNCTION_ARGS, tufu_sheet *out)
{
	float8		lon = PG_GETARG_FLOAT8(0);
	float8		lat = PG_GETARG_FLOAT8(1);
	int32		edition = PG_GETARG_INT32(3);
	int			scale = scale_of(PG_GETARG_TEXT_PP(2), edition, fcinfo->flinfo);
	tufu_status st;

	return tufu_sheet_at(edition, scale, 1, &lon, &lat, out, &st) == 1;
}

/*
 * The hot path of an UPDATE over a large table: the number is written
 * straight into the result.
 */
PG_FUNCTION_INFO_V1(pgtufu_sheet);
Datum
pgtufu_sheet(PG_FUNCTION_ARGS)
{
	tufu_sheet	s;
	text	   *t;
	tufu_text_column col;
	tufu_status st;
	size_t		len;

	if (!sheet_at(fcinfo, &s))
		PG_RETURN_NULL();
	t = palloc(VARHDRSZ + TUFU_NEW_MAX);
	col.data = VARDATA(t);
	col.width = TUFU_NEW_MAX;
	col.encoding = TUFU_UTF8;
	if (tufu_sheet_texts(NULL, TUFU_FIELD_NEW, 1, &s, &col, &st) != 1 ||
		(len = strnlen(VARDATA(t), TUFU_NEW_MAX)) == 0)
		PG_RETURN_NULL();
	SET_VARSIZE(t, VARHDRSZ + len);
	PG_RETURN_TEXT_P(t);
}

PG_FUNCTION_INFO_V1(pgtufu_old_sheet);
Datum
pgtufu_old_sheet(PG_FUNCTION_ARGS)
{
	tufu_sheet	s;
	text	   *t;

	if (!sheet_at(fcinfo, &s) || (t = field_of(&s, TUFU_FIELD_OLD)) == NULL)
		PG_RETURN_NULL();
	PG_RETURN_TEXT_P(t);
}

/* Bounds of the sheet of the scale that holds a point, or NULL outside. */
PG_FUNCTION_INFO_V1(pgtufu_point_bounds);
Datum
pgtufu_point_bounds(PG_FUNCTION_ARGS)
{
	tufu_sheet	s;
	TupleDesc	desc;
	Datum		values[4];
	bool		nulls[4] = {false, false, false, false};
	double		b[4];
	int			i;

	if (!sheet_at(fcinfo, &s))
		PG_RETURN_NULL();
	if (get_call_result_type(fcinfo, NULL, &desc) != TYPEFUNC_COMPOSITE)
		elog(ERROR, "tufu_sheet_bounds must return a record");
	desc = BlessTupleDesc(desc);
	tufu_sheet_bounds(1, &s, b, NULL);
	for (i = 0; i < 4; i++)
		values[i] = Float8GetDatum(b[i]);
	PG_RETURN_DATUM(HeapTupleGetDatum(heap_form_tuple(desc, values, nulls)));
}

/* ---------------------------------------------------- sheet numbers */

/* Field `field` of the sheet numbered by argument 0 in edition argument 1. */
static Datum
number_field(FunctionCallInfo fcinfo, int field)
{
	tufu_sheet	s = sheet_of(PG_GETARG_TEXT_PP(0), PG_GETARG_INT32(1));
	text	   *t = field_of(&s, field);

	if (t == NULL)
		PG_RETURN_NULL();
	PG_RETURN_TEXT_P(t);
}

PG_FUNCTION_INFO_V1(pgtufu_to_old);
Datum
pgtufu_to_old(PG_FUNCTION_ARGS)
{
	return number_field(fcinfo, TUFU_FIELD_OLD);
}

PG_FUNCTION_INFO_V1(pgtufu_to_new);
Datum
pgtufu_to_new(PG_FUNCTION_ARGS)
{
	return number_field(fcinfo, TUFU_FIELD_NEW);
}

PG_FUNCTION_INFO_V1(pgtufu_sheet_name);
Datum
pgtufu_sheet_name(PG_FUNCTION_ARGS)
{
	return number_field(fcinfo, TUFU_FIELD_NAME);
}

PG_FUNCTION_INFO_V1(pgtufu_number_bounds);
Datum
pgtufu_number_bounds(PG_FUNCTION_ARGS)
{
	tufu_sheet	s = sheet_of(PG_GETARG_TEXT_PP(0), PG_GETARG_INT32(1));
	TupleDesc	desc;
	Datum		values[4];
	bool		nulls[4] = {false, false, false, false};
	double		b[4];
	int			i;

	if (get_call_result_type(fcinfo, NULL, &desc) != TYPEFUNC_COMPOSITE)
		elog(ERROR, "tufu_sheet_bounds must return a record");
	desc = BlessTupleDesc(desc);
	tufu_sheet_bounds(1, &s, b, NULL);
	for (i = 0; i < 4; i++)
		values[i] = Float8GetDatum(b[i]);
	PG_RETURN_DATUM(HeapTupleGetDatum(heap_form_tuple(desc, values, nulls)));
}

/* The columns of tufu_sheet_info. */
enum
{
	INFO_VALID, INFO_REASON, INFO_KIND, INFO_SCALE, INFO_NEW, INFO_OLD,
	INFO_WEST, INFO_SOUTH, INFO_EAST, INFO_NORTH, INFO_NAME, INFO_COLUMNS
};

/*
 * One row about a typed number; never raises for any number or edition, so
 * that a whole column of typed numbers can be checked.
 */
PG_FUNCTION_INFO_V1(pgtufu_sheet_info);
Datum
pgtufu_sheet_info(PG_FUNCTION_ARGS)
{
	text	   *t = PG_GETARG_TEXT_PP(0);
	int32		edition = PG_GETARG_INT32(1);
	TupleDesc	desc;
	Datum		values[INFO_COLUMNS];
	bool		nulls[INFO_COLUMNS];
	tufu_sheet	s;
	tufu_status st;
	int32		numbering = 0;
	int			i;

	if (get_call_result_type(fcinfo, NULL, &desc) != TYPEFUNC_COMPOSITE)
		elog(ERROR, "tufu_sheet_info must return a record");
	desc = BlessTupleDesc(desc);
	for (i = 0; i < INFO_COLUMNS; i++)
	{
		values[i] = (Datum) 0;
		nulls[i] = true;
	}
	nulls[INFO_VALID] = false;
	if (tufu_scale_count(edition) == 0)
	{
		values[INFO_VALID] = BoolGetDatum(false);
		values[INFO_REASON] = CStringGetTextDatum(tufu_status_message(TUFU_E_EDITION));
		nulls[INFO_REASON] = false;
	}
	else if (!read_number(t, edition, &s, &st, &numbering))
	{
		char		reason[REASON_ROOM];

		if (tufu_reason(edition, VARDATA_ANY(t), VARSIZE_ANY_EXHDR(t), reason, sizeof reason) == 0)
			strlcpy(reason, tufu_status_message(st), sizeof reason);
		values[INFO_VALID] = BoolGetDatum(false);
		values[INFO_REASON] = CStringGetTextDatum(reason);
		nulls[INFO_REASON] = false;
	}
	else
	{
		tufu_scale_info sc;
		double		b[4];

		values[INFO_VALID] = BoolGetDatum(true);
		if (tufu_scale_get(s.scale, &sc) == TUFU_OK)
		{
			values[INFO_SCALE] = CStringGetTextDatum(sc.label);
			nulls[INFO_SCALE] = false;
		}
		values[INFO_NEW] = text_or_null(field_of(&s, TUFU_FIELD_NEW), &nulls[INFO_NEW]);
		values[INFO_OLD] = text_or_null(field_of(&s, TUFU_FIELD_OLD), &nulls[INFO_OLD]);
		values[INFO_NAME] = text_or_null(field_of(&s, TUFU_FIELD_NAME), &nulls[INFO_NAME]);
		if (tufu_sheet_bounds(1, &s, b, NULL) == 1)
			for (i = 0; i < 4; i++)
			{
				values[INFO_WEST + i] = Float8GetDatum(b[i]);
				nulls[INFO_WEST + i] = false;
			}
	}
	if (numbering == 1 || numbering == 2)
	{
		values[INFO_KIND] = CStringGetTextDatum(numbering == 1 ? "new" : "old");
		nulls[INFO_KIND] = false;
	}
	PG_RETURN_DATUM(HeapTupleGetDatum(heap_form_tuple(desc, values, nulls)));
}

/* ------------------------------------------------- set-returning */

/* What a list function hands out: a few sheets, each with a label. */
typedef struct ListState
{
	int			count;
	int			next;
	tufu_sheet	sheets[TUFU_CONTAINING_MAX > 9 ? TUFU_CONTAINING_MAX : 9];
	const char *labels[TUFU_CONTAINING_MAX > 9 ? TUFU_CONTAINING_MAX : 9];
} ListState;

/* Starts a set-returning function: its context, state and row type. */
static FuncCallContext *
srf_start(FunctionCallInfo fcinfo, size_t statesize, MemoryContext *old)
{
	FuncCallContext *funcctx = SRF_FIRSTCALL_INIT();
	TupleDesc	desc;

	*old = MemoryContextSwitchTo(funcctx->multi_call_memory_ctx);
	if (get_call_result_type(fcinfo, NULL, &desc) != TYPEFUNC_COMPOSITE)
		elog(ERROR, "function returning a record called in a context that cannot accept one");
	funcctx->tuple_desc = BlessTupleDesc(desc);
	funcctx->user_fctx = palloc0(statesize);
	return funcctx;
}

/* The next row of a list function (label, new number, old number), or the end. */
static Datum
list_next(FunctionCallInfo fcinfo)
{
	FuncCallContext *funcctx = SRF_PERCALL_SETUP();
	ListState  *ls = funcctx->user_fctx;
	const tufu_sheet *s;
	Datum		values[3];
	bool		nulls[3] = {false, false, false};

	if (ls->next >= ls->count)
		SRF_RETURN_DONE(funcctx);
	s = &ls->sheets[ls->next];
	values[0] = CStringGetTextDatum(ls->labels[ls->next]);
	values[1] = text_or_null(field_of(s, TUFU_FIELD_NEW), &nulls[1]);
	values[2] = text_or_null(field_of(s, TUFU_FIELD_OLD), &nulls[2]);
	ls->next++;
	SRF_RETURN_NEXT(funcctx,
					HeapTupleGetDatum(heap_form_tuple(funcctx->tuple_desc, values, nulls)));
}

/* The smaller-scale sheets that contain a sheet: scale, new, old. */
PG_FUNCTION_INFO_V1(pgtufu_containing);
Datum
pgtufu_containing(PG_FUNCTION_ARGS)
{
	if (SRF_IS_FIRSTCALL())
	{
		MemoryContext old;
		FuncCallContext *funcctx;
		ListState  *ls;
		tufu_sheet	s;
		size_t		n;
		int			i;

		funcctx = srf_start(fcinfo, sizeof(ListState), &old);
		ls = funcctx->user_fctx;
		s = sheet_of(PG_GETARG_TEXT_PP(0), PG_GETARG_INT32(1));
		n = tufu_containing(&s, ls->sheets, TUFU_CONTAINING_MAX);
		ls->count = (int) Min(n, (size_t) TUFU_CONTAINING_MAX);
		for (i = 0; i < ls->count; i++)
		{
			tufu_scale_info sc;

			ls->labels[i] = tufu_scale_get(ls->sheets[i].scale, &sc) == TUFU_OK ? sc.label : "";
		}
		MemoryContextSwitchTo(old);
	}
	return list_next(fcinfo);
}

/* The places of the neighbour grid, in the library's order. */
static const char *const neighbour_position[9] = {
	"NW", "N", "NE", "W", NULL, "E", "SW", "S", "SE"
};

/* The eight sheets around a sheet: position, new, old. */
PG_FUNCTION_INFO_V1(pgtufu_neighbours);
Datum
pgtufu_neighbours(PG_FUNCTION_ARGS)
{
	if (SRF_IS_FIRSTCALL())
	{
		MemoryContext old;
		FuncCallContext *funcctx;
		ListState  *ls;
		tufu_sheet	s;
		tufu_sheet	grid[9];
		tufu_status cell[9];
		tufu_status st;
		int			k;

		funcctx = srf_start(fcinfo, sizeof(ListState), &old);
		ls = funcctx->user_fctx;
		s = sheet_of(PG_GETARG_TEXT_PP(0), PG_GETARG_INT32(1));
		if (tufu_neighbours(1, &s, grid, cell, &st) == 1)
			for (k = 0; k < 9; k++)
			{
				if (neighbour_position[k] == NULL || cell[k] != TUFU_OK)
					continue;
				ls->sheets[ls->count] = grid[k];
				ls->labels[ls->count] = neighbour_position[k];
				ls->count++;
			}
		MemoryContextSwitchTo(old);
	}
	return list_next(fcinfo);
}

/*
 * The sheets of a block, one page at a time: new and old number and the
 * four edges.
 */
typedef struct BlockState
{
	tufu_block	block;
	int64		next;			/* block index of the first sheet not fetched */
	size_t		inpage;			/* sheets in the page */
	size_t		pos;			/* the next of them to hand out */
	tufu_sheet	sheets[PAGE];
	char		newno[PAGE][TUFU_NEW_MAX + 4];
	char		oldno[PAGE][TUFU_OLD_MAX + 1];
	double		bounds[PAGE * 4];
} BlockState;

static void
block_fetch(BlockState *bs)
{
	tufu_text_column col;

	bs->pos = 0;
	bs->inpage = tufu_block_sheets(&bs->block, bs->next, bs->sheets, PAGE);
	bs->next += (int64) bs->inpage;
	if (bs->inpage == 0)
		return;
	col.encoding = TUFU_UTF8;
	col.data = bs->newno;
	col.width = sizeof bs->newno[0];
	tufu_sheet_texts(NULL, TUFU_FIELD_NEW, bs->inpage, bs->sheets, &col, NULL);
	col.data = bs->oldno;
	col.width = sizeof bs->oldno[0];
	tufu_sheet_texts(NULL, TUFU_FIELD_OLD, bs->inpage, bs->sheets, &col, NULL);
	tufu_sheet_bounds(bs->inpage, bs->sheets, bs->bounds, NULL);
}

static Datum
record_text(const char *rec, size_t width, bool *isnull)
{
	size_t		len = strnlen(rec, width);

	*isnull = (len == 0);
	return len == 0 ? (Datum) 0 : PointerGetDatum(cstring_to_text_with_len(rec, (int) len));
}

/* The next row of a block function, or the end. */
static Datum
block_next(FunctionCallInfo fcinfo)
{
	FuncCallContext *funcctx = SRF_PERCALL_SETUP();
	BlockState *bs = funcctx->user_fctx;
	Datum		values[6];
	bool		nulls[6] = {false, false, false, false, false, false};
	size_t		i;
	int			k;

	CHECK_FOR_INTERRUPTS();
	if (bs->pos >= bs->inpage)
		block_fetch(bs);
	if (bs->inpage == 0)
		SRF_RETURN_DONE(funcctx);
	i = bs->pos++;
	values[0] = record_text(bs->newno[i], sizeof bs->newno[i], &nulls[0]);
	values[1] = record_text(bs->oldno[i], sizeof bs->oldno[i], &nulls[1]);
	for (k = 0; k < 4; k++)
		values[2 + k] = Float8GetDatum(bs->bounds[4 * i + k]);
	SRF_RETURN_NEXT(funcctx,
					HeapTupleGetDatum(heap_form_tuple(funcctx->tuple_desc, values, nulls)));
}

/* How a block of sheets is found from a scale and four edges. */
typedef tufu_status (*block_of_edges) (int edition, int scale, double west, double east,
									   double south, double north, tufu_block *out);

/*
 * A block function whose arguments are west, east, south, north, scale and
 * edition: the block found by `find` on the first call, then its rows.
 */
static Datum
block_of_edges_next(FunctionCallInfo fcinfo, block_of_edges find)
{
	if (SRF_IS_FIRSTCALL())
	{
		MemoryContext old;
		FuncCallContext *funcctx = srf_start(fcinfo, sizeof(BlockState), &old);
		BlockState *bs = funcctx->user_fctx;
		int32		edition = PG_GETARG_INT32(5);
		int			scale = scale_of(PG_GETARG_TEXT_PP(4), edition, NULL);
		tufu_status st;

		st = find(edition, scale, PG_GETARG_FLOAT8(0), PG_GETARG_FLOAT8(1),
				  PG_GETARG_FLOAT8(2), PG_GETARG_FLOAT8(3), &bs->block);
		if (st != TUFU_OK)
			refuse_status(st, "block bounds");
		MemoryContextSwitchTo(old);
	}
	return block_next(fcinfo);
}

/* The sheets of a scale that cover west..east, south..north. */
PG_FUNCTION_INFO_V1(pgtufu_grid);
Datum
pgtufu_grid(PG_FUNCTION_ARGS)
{
	return block_of_edges_next(fcinfo, tufu_block_bounds);
}

/*
 * The candidates of the sheets a geometry with these bounds touches
 * (tufu_block_touching): the sheets from the one that holds the south-west
 * corner to the one that holds the north-east corner.
 */
PG_FUNCTION_INFO_V1(pgtufu_touching_candidates);
Datum
pgtufu_touching_candidates(PG_FUNCTION_ARGS)
{
	return block_of_edges_next(fcinfo, tufu_block_touching);
}

/* The sheets of a scale that a sheet contains. */
PG_FUNCTION_INFO_V1(pgtufu_contained);
Datum
pgtufu_contained(PG_FUNCTION_ARGS)
{
	if (SRF_IS_FIRSTCALL())
	{
		MemoryContext old;
		FuncCallContext *funcctx = srf_start(fcinfo, sizeof(BlockState), &old);
		BlockState *bs = funcctx->user_fctx;
		int32		edition = PG_GETARG_INT32(2);
		tufu_sheet	s = sheet_of(PG_GETARG_TEXT_PP(0), edition);
		int			scale = scale_of(PG_GETARG_TEXT_PP(1), edition, NULL);
		tufu_status st;

		st = tufu_block_contained(edition, &s, scale, &bs->block);
		if (st == TUFU_E_NEST)
		{
			char		reason[REASON_ROOM];

			tufu_nest_reason(edition, &s, scale, reason, sizeof reason);
			ereport(ERROR,
					(errcode(ERRCODE_INVALID_PARAMETER_VALUE),
					 errmsg("invalid target scale"),
					 errdetail("%s", reason)));
		}
		if (st != TUFU_OK)
			refuse_status(st, "target scale");
		MemoryContextSwitchTo(old);
	}
	return block_next(fcinfo);
}

/* The scale table of an edition: label, denominator, sizes. */
PG_FUNCTION_INFO_V1(pgtufu_scales);
Datum
pgtufu_scales(PG_FUNCTION_ARGS)
{
	FuncCallContext *funcctx;
	int		   *next;
	tufu_scale_info sc;
	Datum		values[5];
	bool		nulls[5] = {false, false, false, false, false};

	if (SRF_IS_FIRSTCALL())
	{
		MemoryContext old;

		check_edition(PG_GETARG_INT32(0));
		funcctx = srf_start(fcinfo, sizeof(int), &old);
		funcctx->max_calls = tufu_scale_count(PG_GETARG_INT32(0));
		MemoryContextSwitchTo(old);
	}
	funcctx = SRF_PERCALL_SETUP();
	next = funcctx->user_fctx;
	if (*next >= (int) funcctx->max_calls || tufu_scale_get(*next, &sc) != TUFU_OK)
		SRF_RETURN_DONE(funcctx);
	(*next)++;
	values[0] = CStringGetTextDatum(sc.label);
	values[1] = Int32GetDatum(sc.denominator);
	values[2] = Float8GetDatum(sc.width);
	values[3] = Float8GetDatum(sc.height);
	values[4] = BoolGetDatum(sc.shows_new != 0);
	SRF_RETURN_NEXT(funcctx,
					HeapTupleGetDatum(heap_form_tuple(funcctx->tuple_desc, values, nulls)));
}
