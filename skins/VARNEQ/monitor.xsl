<?xml version="1.0" encoding="UTF-8"?>
<!-- The hardware monitor's document as the view's two pages.
     Readings: one column per kind (temperatures, fans, voltages), each item
     with its caption, reading and limits, bound by id
     (TEMPERATURE+CPUTIN+DISPLAY ...) so the view's timer refreshes them in
     place; the host's TEMPERATURE_AVAILABILITY (and the fan and voltage
     ones) colour the item, view.js reacts.
     Chart: the HISTORY samples as curves, drawn here so a freshly composed
     view shows them at once, and redrawn by view.js after each refresh from
     the hidden, bound HISTORY+<pin>+SAMPLES. Both draw by the same rules
     (the boxes and scales below and in view.js), so a refresh of an
     unchanged document leaves every curve where it was. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>

  <!-- The plot boxes inside the 376x114 chart page, and how many samples
       the time axis holds (the monitor keeps at most 60). -->
  <xsl:variable name="slots" select="60"/>
  <xsl:variable name="top" select="16"/>
  <xsl:variable name="bottom" select="66"/>
  <xsl:variable name="tempLeft" select="32"/>
  <xsl:variable name="tempRight" select="180"/>
  <xsl:variable name="fanLeft" select="226"/>
  <xsl:variable name="fanRight" select="370"/>

  <xsl:variable name="history" select="VARN_PLUGIN/HISTORY/ITEM"/>
  <xsl:variable name="fahrenheit" select="VARN_PLUGIN/MONITOR/ITEM[@NAME = 'VARNEQ']/UNIT = 'F'"/>
  <xsl:variable name="step">
    <xsl:choose>
      <xsl:when test="number($history[1]/STEP) &gt; 0"><xsl:value-of select="number($history[1]/STEP)"/></xsl:when>
      <xsl:otherwise>5</xsl:otherwise>
    </xsl:choose>
  </xsl:variable>

  <!-- "lo hi" of the numeric words of a list ("-" is no reading); "" for none. -->
  <xsl:template name="extent">
    <xsl:param name="list"/>
    <xsl:param name="lo" select="''"/>
    <xsl:param name="hi" select="''"/>
    <xsl:choose>
      <xsl:when test="$list = ''">
        <xsl:if test="string($lo) != ''"><xsl:value-of select="concat($lo, ' ', $hi)"/></xsl:if>
      </xsl:when>
      <xsl:otherwise>
        <xsl:variable name="word" select="substring-before(concat($list, ' '), ' ')"/>
        <xsl:variable name="v" select="number($word)"/>
        <!-- The XPath engine reads a lone "-" as 0, not as no number. -->
        <xsl:variable name="valid" select="$word != '-' and $v = $v"/>
        <xsl:call-template name="extent">
          <xsl:with-param name="list" select="substring-after($list, ' ')"/>
          <xsl:with-param name="lo">
            <xsl:choose>
              <xsl:when test="$valid and (string($lo) = '' or $v &lt; $lo)"><xsl:value-of select="$v"/></xsl:when>
              <xsl:otherwise><xsl:value-of select="$lo"/></xsl:otherwise>
            </xsl:choose>
          </xsl:with-param>
          <xsl:with-param name="hi">
            <xsl:choose>
              <xsl:when test="$valid and (string($hi) = '' or $v &gt; $hi)"><xsl:value-of select="$v"/></xsl:when>
              <xsl:otherwise><xsl:value-of select="$hi"/></xsl:otherwise>
            </xsl:choose>
          </xsl:with-param>
        </xsl:call-template>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Every sample of one kind, space-separated. -->
  <xsl:template name="samplesOf">
    <xsl:param name="kind"/>
    <xsl:for-each select="$history[CLASS = $kind]"><xsl:value-of select="concat(normalize-space(SAMPLES), ' ')"/></xsl:for-each>
  </xsl:template>

  <!-- The path of one series: the newest sample at the right edge, one slot
       per step to the left; a "-" lifts the pen. -->
  <xsl:template name="curve">
    <xsl:param name="list"/>
    <xsl:param name="i" select="0"/>
    <xsl:param name="n"/>
    <xsl:param name="left"/>
    <xsl:param name="right"/>
    <xsl:param name="lo"/>
    <xsl:param name="hi"/>
    <xsl:param name="pen" select="'M'"/>
    <xsl:if test="$list != ''">
      <xsl:variable name="word" select="substring-before(concat($list, ' '), ' ')"/>
      <xsl:variable name="v" select="number($word)"/>
      <xsl:variable name="drawn" select="$word != '-' and $v = $v and $n - 1 - $i &lt; $slots"/>
      <xsl:if test="$drawn">
        <xsl:variable name="x" select="$right - ($n - 1 - $i) * ($right - $left) div ($slots - 1)"/>
        <xsl:variable name="y" select="$bottom - ($v - $lo) * ($bottom - $top) div ($hi - $lo)"/>
        <xsl:value-of select="concat($pen, round($x * 10) div 10, ' ', round($y * 10) div 10, ' ')"/>
      </xsl:if>
      <xsl:call-template name="curve">
        <xsl:with-param name="list" select="substring-after($list, ' ')"/>
        <xsl:with-param name="i" select="$i + 1"/>
        <xsl:with-param name="n" select="$n"/>
        <xsl:with-param name="left" select="$left"/>
        <xsl:with-param name="right" select="$right"/>
        <xsl:with-param name="lo" select="$lo"/>
        <xsl:with-param name="hi" select="$hi"/>
        <xsl:with-param name="pen">
          <xsl:choose>
            <xsl:when test="$drawn">L</xsl:when>
            <xsl:otherwise>M</xsl:otherwise>
          </xsl:choose>
        </xsl:with-param>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <!-- One chart: gridlines, the scale's ends, one path per series. -->
  <xsl:template name="plot">
    <xsl:param name="kind"/>
    <xsl:param name="left"/>
    <xsl:param name="right"/>
    <xsl:param name="lo"/>
    <xsl:param name="hi"/>
    <xsl:param name="loText"/>
    <xsl:param name="hiText"/>
    <line CLASS="grid" x1="{$left}" y1="{$top}" x2="{$right}" y2="{$top}"></line>
    <line CLASS="grid" x1="{$left}" y1="{($top + $bottom) div 2}" x2="{$right}" y2="{($top + $bottom) div 2}"></line>
    <line CLASS="axis" x1="{$left}" y1="{$bottom}" x2="{$right}" y2="{$bottom}"></line>
    <text ID="{$kind}_hi" CLASS="tick" x="{$left - 4}" y="{$top + 3}" text-anchor="end"><xsl:value-of select="$hiText"/></text>
    <text ID="{$kind}_lo" CLASS="tick" x="{$left - 4}" y="{$bottom + 3}" text-anchor="end"><xsl:value-of select="$loText"/></text>
    <text CLASS="tick" x="{$left}" y="{$bottom + 12}"><xsl:value-of select="concat('&#8722;', round(($slots - 1) * $step div 60), ' min')"/></text>
    <text CLASS="tick" x="{$right}" y="{$bottom + 12}" text-anchor="end">now</text>
    <xsl:for-each select="$history[CLASS = $kind]">
      <xsl:variable name="list" select="normalize-space(SAMPLES)"/>
      <path ID="curve_{@NAME}" CLASS="curve {$kind} s{position()}">
        <xsl:attribute name="d">
          <xsl:call-template name="curve">
            <xsl:with-param name="list" select="$list"/>
            <xsl:with-param name="n" select="string-length($list) - string-length(translate($list, ' ', '')) + 1"/>
            <xsl:with-param name="left" select="$left"/>
            <xsl:with-param name="right" select="$right"/>
            <xsl:with-param name="lo" select="$lo"/>
            <xsl:with-param name="hi" select="$hi"/>
          </xsl:call-template>
        </xsl:attribute>
      </path>
    </xsl:for-each>
  </xsl:template>

  <xsl:template name="legend">
    <xsl:param name="kind"/>
    <xsl:for-each select="$history[CLASS = $kind]">
      <DIV CLASS="key">
        <SPAN CLASS="swatch {$kind} s{position()}"></SPAN>
        <SPAN ID="HISTORY+{@NAME}+CAPTION"><xsl:value-of select="CAPTION"/></SPAN>
        <SPAN ID="HISTORY+{@NAME}+SAMPLES" CLASS="raw"><xsl:value-of select="SAMPLES"/></SPAN>
      </DIV>
    </xsl:for-each>
  </xsl:template>

  <!-- One column of readings. -->
  <xsl:template name="group">
    <xsl:param name="section"/>
    <xsl:param name="title"/>
    <DIV CLASS="group {$section}">
      <DIV CLASS="head"><xsl:value-of select="$title"/></DIV>
      <xsl:for-each select="/VARN_PLUGIN/*[name() = $section]/ITEM">
        <xsl:variable name="id" select="concat($section, '+', @NAME, '+')"/>
        <DIV ID="cell_{$section}_{@NAME}">
          <xsl:attribute name="CLASS">
            <xsl:choose>
              <xsl:when test="AVAILABILITY = '4'">cell warn</xsl:when>
              <xsl:when test="AVAILABILITY = '2'">cell off</xsl:when>
              <xsl:otherwise>cell</xsl:otherwise>
            </xsl:choose>
          </xsl:attribute>
          <DIV ID="{$id}CAPTION" CLASS="cap"><xsl:value-of select="CAPTION"/></DIV>
          <DIV CLASS="line">
            <SPAN ID="{$id}DISPLAY" CLASS="val"><xsl:value-of select="DISPLAY"/></SPAN>
            <SPAN ID="{$id}LIMITS" CLASS="lim"><xsl:value-of select="LIMITS"/></SPAN>
          </DIV>
          <SPAN ID="{$id}NOTE" CLASS="raw"><xsl:value-of select="NOTE"/></SPAN>
        </DIV>
      </xsl:for-each>
      <xsl:if test="not(/VARN_PLUGIN/*[name() = $section]/ITEM)">
        <DIV CLASS="none">none on this board</DIV>
      </xsl:if>
    </DIV>
  </xsl:template>

  <xsl:template match="/">
    <xsl:variable name="tempSamples"><xsl:call-template name="samplesOf"><xsl:with-param name="kind" select="'temperature'"/></xsl:call-template></xsl:variable>
    <xsl:variable name="fanSamples"><xsl:call-template name="samplesOf"><xsl:with-param name="kind" select="'fan'"/></xsl:call-template></xsl:variable>
    <xsl:variable name="tempExtent"><xsl:call-template name="extent"><xsl:with-param name="list" select="normalize-space($tempSamples)"/></xsl:call-template></xsl:variable>
    <xsl:variable name="fanExtent"><xsl:call-template name="extent"><xsl:with-param name="list" select="normalize-space($fanSamples)"/></xsl:call-template></xsl:variable>
    <!-- Temperatures: whole tens around the readings, at least 20 degrees;
         fans: from 0 to the next thousand above the fastest with a tenth to
         spare. view.js scales alike. -->
    <xsl:variable name="tempLo">
      <xsl:choose>
        <xsl:when test="$tempExtent = ''">20</xsl:when>
        <xsl:otherwise><xsl:value-of select="floor((substring-before($tempExtent, ' ') - 2) div 10) * 10"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:variable name="tempTop">
      <xsl:choose>
        <xsl:when test="$tempExtent = ''">60</xsl:when>
        <xsl:otherwise><xsl:value-of select="ceiling((substring-after($tempExtent, ' ') + 2) div 10) * 10"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:variable name="tempHi">
      <xsl:choose>
        <xsl:when test="$tempTop - $tempLo &lt; 20"><xsl:value-of select="$tempLo + 20"/></xsl:when>
        <xsl:otherwise><xsl:value-of select="$tempTop"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:variable name="fanHi">
      <xsl:choose>
        <xsl:when test="$fanExtent = '' or substring-after($fanExtent, ' ') * 1.1 &lt;= 1000">1000</xsl:when>
        <xsl:otherwise><xsl:value-of select="ceiling(substring-after($fanExtent, ' ') * 1.1 div 1000) * 1000"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <STYLE>
      body { margin: 0; font-family: "DejaVu Sans", sans-serif; font-size: 10px; color: #e3e8ee; cursor: default; }
      .raw { display: none; }
      #tabs { position: absolute; left: 150px; top: 3px; height: 14px; border-radius: 7px; background: #12151a;
              border: 1px solid #2f3640; overflow: hidden; white-space: nowrap; }
      .tab { display: inline-block; height: 14px; line-height: 14px; padding: 0 9px; font-size: 9px; font-weight: bold;
             color: #848f9d; cursor: pointer; }
      .tab:hover { color: #e3e8ee; }
      .tab.on { background: #38bde4; color: #0a1117; }
      #liveText { position: absolute; left: 256px; top: 0; width: 46px; height: 20px; line-height: 20px;
                  text-align: right; font-size: 9px; font-weight: bold; color: #38bde4; }
      #liveText.paused { color: #848f9d; }
      .page { position: absolute; left: 0; top: 20px; width: 376px; height: 114px; }
      #readings { overflow-x: hidden; overflow-y: auto; display: flex; }
      #readings::-webkit-scrollbar { width: 5px; }
      #readings::-webkit-scrollbar-thumb { background: #3a434f; border-radius: 3px; }
      /* Column widths fit the longest texts a board gives: "System
         Temperature", "0 – 10000 rpm" beside "1875 rpm", "2.970 – 3.630 V"
         beside "3.312 V". Five items fill a column. */
      .group { flex: none; margin-left: 3px; padding-top: 1px; }
      .TEMPERATURE { width: 101px; }
      .FANSPEED { width: 130px; }
      .VOLTAGE { width: 132px; }
      .head { height: 12px; line-height: 12px; padding-left: 4px; font-size: 9px; font-weight: bold; color: #848f9d;
              letter-spacing: 0.3px; }
      .cell { position: relative; height: 20px; padding: 0 2px 0 4px; border-radius: 3px; }
      .cell + .cell { border-top: 1px solid #232830; height: 19px; }
      .cap { height: 10px; line-height: 10px; font-size: 9px; color: #a9b3bf; white-space: nowrap; }
      .line { height: 10px; line-height: 10px; white-space: nowrap; display: flex; justify-content: space-between; }
      .val { font-weight: bold; font-size: 10px; }
      .lim { font-size: 9px; color: #848f9d; margin-left: 4px; }
      .none { padding-left: 5px; color: #848f9d; font-size: 9px; }
      /* In warning: a red bar, a red reading; unavailable: dimmed. */
      .cell.warn { background: #3a1d21; }
      .cell.warn::before { content: ""; position: absolute; left: 0; top: 2px; width: 2px; height: 16px;
                           border-radius: 1px; background: #e5484d; }
      .cell.warn .val { color: #ff6b6f; }
      .cell.warn .lim { color: #e59a9d; }
      .cell.off .cap, .cell.off .val { color: #6a7380; }
      .cell.off .lim { color: #565e69; }
      #chart { position: absolute; left: 0; top: 0; }
      .ctitle { position: absolute; top: 1px; font-size: 9px; font-weight: bold; color: #848f9d; }
      .grid { stroke: #262c34; stroke-width: 1; }
      .axis { stroke: #3a434f; stroke-width: 1; }
      .tick { fill: #848f9d; font-size: 9px; font-family: "DejaVu Sans", sans-serif; }
      .curve { fill: none; stroke-width: 1.5; stroke-linejoin: round; stroke-linecap: round; }
      .legend { position: absolute; top: 82px; height: 30px; }
      .key { float: left; height: 10px; line-height: 10px; font-size: 9px; color: #a9b3bf; white-space: nowrap; }
      .tlegend .key { width: 180px; }
      .flegend .key { width: 88px; }
      .swatch { display: inline-block; width: 8px; height: 3px; margin: 0 4px 2px 0; border-radius: 1px; }
      .temperature.s1 { stroke: #ffb454; background: #ffb454; }
      .temperature.s2 { stroke: #ff7a7d; background: #ff7a7d; }
      .temperature.s3 { stroke: #c792ea; background: #c792ea; }
      .temperature.s4 { stroke: #f2cc60; background: #f2cc60; }
      .fan.s1 { stroke: #38bde4; background: #38bde4; }
      .fan.s2 { stroke: #7ee787; background: #7ee787; }
      .fan.s3 { stroke: #5c9dff; background: #5c9dff; }
      .fan.s4 { stroke: #f2cc60; background: #f2cc60; }
      .fan.s5 { stroke: #d2a8ff; background: #d2a8ff; }
      .fan.s6 { stroke: #9fb4c8; background: #9fb4c8; }
    </STYLE>
    <DIV ID="tabs"><SPAN ID="tabReadings" CLASS="tab on">READINGS</SPAN><SPAN ID="tabChart" CLASS="tab">CHART</SPAN></DIV>
    <DIV ID="liveText">LIVE</DIV>
    <SPAN ID="MONITOR+VARNEQ+UNIT" CLASS="raw"><xsl:value-of select="VARN_PLUGIN/MONITOR/ITEM[@NAME = 'VARNEQ']/UNIT"/></SPAN>
    <SPAN ID="stepSeconds" CLASS="raw"><xsl:value-of select="$step"/></SPAN>
    <DIV ID="readings" CLASS="page">
      <xsl:call-template name="group"><xsl:with-param name="section" select="'TEMPERATURE'"/><xsl:with-param name="title" select="'TEMPERATURES'"/></xsl:call-template>
      <xsl:call-template name="group"><xsl:with-param name="section" select="'FANSPEED'"/><xsl:with-param name="title" select="'FANS'"/></xsl:call-template>
      <xsl:call-template name="group"><xsl:with-param name="section" select="'VOLTAGE'"/><xsl:with-param name="title" select="'VOLTAGES'"/></xsl:call-template>
    </DIV>
    <DIV ID="chartPage" CLASS="page" STYLE="display:none;">
      <svg ID="chart" width="376" height="114" viewBox="0 0 376 114">
        <xsl:call-template name="plot">
          <xsl:with-param name="kind" select="'temperature'"/>
          <xsl:with-param name="left" select="$tempLeft"/>
          <xsl:with-param name="right" select="$tempRight"/>
          <xsl:with-param name="lo" select="number($tempLo)"/>
          <xsl:with-param name="hi" select="number($tempHi)"/>
          <xsl:with-param name="loText">
            <xsl:choose>
              <xsl:when test="$fahrenheit"><xsl:value-of select="round($tempLo * 9 div 5 + 32)"/></xsl:when>
              <xsl:otherwise><xsl:value-of select="$tempLo"/></xsl:otherwise>
            </xsl:choose>
          </xsl:with-param>
          <xsl:with-param name="hiText">
            <xsl:choose>
              <xsl:when test="$fahrenheit"><xsl:value-of select="round($tempHi * 9 div 5 + 32)"/></xsl:when>
              <xsl:otherwise><xsl:value-of select="$tempHi"/></xsl:otherwise>
            </xsl:choose>
          </xsl:with-param>
        </xsl:call-template>
        <xsl:call-template name="plot">
          <xsl:with-param name="kind" select="'fan'"/>
          <xsl:with-param name="left" select="$fanLeft"/>
          <xsl:with-param name="right" select="$fanRight"/>
          <xsl:with-param name="lo" select="0"/>
          <xsl:with-param name="hi" select="number($fanHi)"/>
          <xsl:with-param name="loText" select="0"/>
          <xsl:with-param name="hiText" select="$fanHi"/>
        </xsl:call-template>
      </svg>
      <DIV ID="tempTitle" CLASS="ctitle" STYLE="left:8px;">
        <xsl:choose>
          <xsl:when test="$fahrenheit">TEMPERATURES &#176;F</xsl:when>
          <xsl:otherwise>TEMPERATURES &#176;C</xsl:otherwise>
        </xsl:choose>
      </DIV>
      <DIV CLASS="ctitle" STYLE="left:196px;">FAN SPEEDS rpm</DIV>
      <DIV CLASS="legend tlegend" STYLE="left:8px;width:180px;">
        <xsl:call-template name="legend"><xsl:with-param name="kind" select="'temperature'"/></xsl:call-template>
      </DIV>
      <DIV CLASS="legend flegend" STYLE="left:196px;width:180px;">
        <xsl:call-template name="legend"><xsl:with-param name="kind" select="'fan'"/></xsl:call-template>
      </DIV>
    </DIV>
  </xsl:template>
</xsl:stylesheet>
